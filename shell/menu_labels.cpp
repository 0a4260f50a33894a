// The label tables (data): per row the short label, the long label and the
// tool-tip.

#include "shell/menu_labels.h"

namespace {

struct Row {
    const char* short_label;
    const char* long_label;
    const char* tooltip;
};

LabelGroup group(std::initializer_list<Row> rows)
{
    LabelGroup g;
    for (const Row& row : rows) {
        g.short_labels.emplace_back(row.short_label);
        g.pairs.push_back({row.long_label, row.tooltip});
    }
    return g;
}

const LabelGroup k_tool_titles = group({
    {"TOPOLOGY", "menu : topology", "(select to choose which elements of the meshes are drawn)"},
    {"COLOUR", "menu : colour", "(select to choose how the meshes are coloured)"},
    {"SHADING", "menu : shading", "(select to choose how the surfaces are shaded)"},
    {"ORBIT", "menu : orbit", "(select to choose how the camera orbits)"},
    {"PROJECTION", "menu : projection", "(select to choose the camera projection)"},
    {"STATE", "menu : state", "(select to trace attributes or reset the view)"},
    {"WIDGET", "menu : widget", "(select to show or hide the world widgets)"},
    {"VIEW", "menu : view", "(select to look along one of the six axes)"},
});

const LabelGroup k_settings_titles = group({
    {"WINDOW", "settings : window", "(select to set the window's layout and size)"},
    {"SHADING", "settings : shading", "(select to set anti-aliasing, background and pipeline)"},
    {"LIGHTING", "settings : lighting", "(select to switch the lighting terms)"},
    {"FULLSCREEN", "settings : full-screen", "(select to toggle full-screen display)"},
    {"CAMERA", "settings : camera", "(select to choose the camera controller)"},
    {"LOCK", "settings : camera-lock", "(select to lock or unlock the camera)"},
    {"THEME", "settings : theme", "(select to choose the interface theme)"},
    {"SLIDERS", "settings : sliders", "(select to show or hide the slider bar)"},
    {"WIDGETS", "settings : widgets", "(select to show or hide the floating controls)"},
    {"SETTINGS", "settings : system-config", "(select to set the program's behaviour)"},
});

const std::array<LabelGroup, TOOL_MENU_COUNT> k_tool_menus{
    group({
        {"Surface", "topology : surface", "(select to toggle display of surfaces)"},
        {"Polygons", "topology : polygons", "(select to toggle display of polygon edges)"},
        {"Triangles", "topology : triangles", "(select to toggle display of triangle edges)"},
        {"Gouraud", "topology : gouraud", "(select to toggle display of smooth groups)"},
        {"Points", "topology : points", "(select to toggle display of vertices)"},
    }),
    group({
        {"RGBA", "colour : rgba", "(select to colour meshes by their own colours)"},
        {"Dark", "colour : dark", "(select to colour meshes dark)"},
        {"Light", "colour : light", "(select to colour meshes light)"},
        {"Function", "colour : function", "(select to colour meshes by a colour function)"},
        {"! Negate", "colour : negate", "(select to invert the colours)"},
    }),
    group({
        {"Flat (Faceted)", "shading : flat (faceted)", "(select to shade each face flat)"},
        {"Smooth (Gouraud)", "shading : smooth (gouraud)", "(select to shade surfaces smoothly)"},
        {"Transparent-Mode", "shading : transparent-mode", "(select to draw meshes see-through)"},
        {"Mono-Edge", "shading : monotone-edges", "(select to draw edges in one tone)"},
        {"Mono-Dot", "shading : monotone-dots", "(select to draw points in one tone)"},
        {"Brighten (GLSL)", "shading : brighten (GLSL)", "(select to brighten the shading)"},
        {"Silhouette (GLSL)", "shading : silhouette (GLSL)", "(select to outline silhouettes)"},
        {"X-Ray (GLSL)", "shading : x-ray (GLSL)", "(select to shade by facing angle)"},
        {"! Negative (GLSL)", "shading : negative (GLSL)", "(select to invert the shading)"},
    }),
    group({
        {"Euler-Gimbal", "orbit : euler-orbit", "(select to orbit by Euler angles)"},
        {"Quaternion", "orbit : quaternion", "(select to orbit freely by quaternions)"},
        {"About-Center", "orbit : about-center", "(select to orbit about the scene centre)"},
    }),
    group({
        {"Orthographic", "projection : orthographic", "(select to project without perspective)"},
        {"Perspective", "projection : perspective", "(select to project with perspective)"},
    }),
    group({
        {"Attribute-Trace", "state : attribute-trace", "(select to show the mesh statistics)"},
        {"Fit-Viewport", "state : fit-viewport", "(select to fit the camera to the view)"},
        {"Reset-Transform", "state : reset-transform", "(select to reset the camera)"},
    }),
    group({
        {"Axes", "widgets : axes", "(select to toggle the axes)"},
        {"Grids", "widgets : grids", "(select to toggle the ground grid)"},
        {"Rings", "widgets : rings", "(select to toggle the orbit rings)"},
        {"Bounds", "widgets : bounds", "(select to toggle the bounding boxes)"},
    }),
    group({
        {"Top", "view : top", "(select to look down from above)"},
        {"Base", "view : base", "(select to look up from below)"},
        {"Left", "view : left", "(select to look from the left)"},
        {"Right", "view : right", "(select to look from the right)"},
        {"Front", "view : front", "(select to look from the front)"},
        {"Back", "view : back", "(select to look from the back)"},
    }),
};

const std::array<LabelGroup, SETTINGS_MENU_COUNT> k_settings_menus{
    group({
        {"Width", "window : width", "(select to see the window width)"},
        {"Height", "window : height", "(select to see the window height)"},
        {"V-Flip-Mode", "window : v-flip-mode \t [ i ]",
         "(select to swap the bars top and bottom)"},
        {"Frame-Mode", "window : frame-mode \t [ k ]", "(select to confine the view to the frame)"},
        {"Frame-Rate", "window : frame-rate", "(select to toggle the frame-rate read-out)"},
        {"Reset-Size", "window : reset-size", "(select to restore the 720 x 480 window)"},
        {"Max-FPS", "window : frame-rate",
         "(select to cap the update frequency in frames per second, -1 for none)"},
    }),
    group({
        {"Anti-Aliasing", "shading : anti-aliasing", "(select to toggle anti-aliasing)"},
        {"Linear-Gradient", "shading : linear-gradient",
         "(select to shade the background linearly)"},
        {"Radial-Gradient", "shading : radial-gradient",
         "(select to shade the background radially)"},
        {"Fixed-Function", "shading : fixed-function",
         "(select to use the fixed-function pipeline)"},
        {"Programmable", "shading : programmable", "(select to use the GLSL pipeline)"},
    }),
    group({
        {"Unlit", "lighting : unlit", "(select to draw without lighting)"},
        {"Ambient : kA", "lighting : ambient-term", "(select to toggle the ambient term)"},
        {"Diffuse : kD", "lighting : diffuse-term", "(select to toggle the diffuse term)"},
        {"Specular : kS", "lighting : specular-term", "(select to toggle the specular term)"},
        {"Occlusion : kO", "lighting : occlusive-term", "(select to toggle the occlusion term)"},
        {"Emission : kE", "lighting : emissive-term", "(select to toggle the emission term)"},
        {"Reflection : kR", "lighting : reflective-term", "(select to toggle the reflection term)"},
    }),
    group({{"Full-Screen", "window : full-screen", "(select to toggle full-screen display)"}}),
    group({
        {"Object-Orbit", "camera : object-orbit", "(select to orbit around the objects)"},
        {"Free-Roam", "camera : free-roam", "(select to move the camera freely)"},
        {"First-Person", "camera : first-person", "(select to walk at eye height)"},
    }),
    group({{"Lock", "camera : lock", "(select to lock or unlock the camera)"}}),
    group({
        {"Dark", "theme : dark", "(select to use the dark theme)"},
        {"Silver", "theme : silver", "(select to use the silver theme)"},
        {"Light", "theme : light", "(select to use the light theme)"},
        {"Charcoal", "theme : charcoal", "(select to use the charcoal theme)"},
        {"Midnight", "theme : midnight", "(select to use the midnight theme)"},
    }),
    group({{"Sliders", "window : sliders", "(select to show or hide the slider bar)"}}),
    group({
        {"Camera-Views", "widgets : camera-directives", "(select to show the camera directives)"},
        {"Variant-Selector", "widgets : variant-selector", "(select to show the variants)"},
        {"Parallel-Flags", "widgets : parallel-flags", "(select to show the parallel flags)"},
        {"LL-Inspector", "widgets : ll-inspector", "(select to show the low-level inspector)"},
        {"Animator", "widgets : animator", "(select to show the animation control)"},
        {"Alpha-Grid", "widgets : alpha-grid", "(select to fade the grid with distance)"},
        {"Upright-Grid", "widgets : upright-grid", "(select to stand the grid upright)"},
        {"Mono-Edge-Tone", "widgets : mono-edge-tone", "(select to step the edge tone)"},
        {"Mono-Dot-Tone", "widgets : mono-dot-tone", "(select to step the dot tone)"},
        {"Silhouette-Tone", "widgets : silhouette-tone (GLSL)",
         "(select to step the outline tone)"},
        {"Eye-Y", "widgets : eye-Y-height", "(select to set the first-person eye height)"},
        {"Enlarge-Trace", "widgets : enlarge-trace", "(select to enlarge the console text)"},
    }),
    group({
        {"UI-Animations", "system-config : ui-animations", "(select to toggle interface fades)"},
        {"Inverted-Zoom", "system-config : inverted-zoom", "(select to invert the wheel zoom)"},
        {"Inline-IO", "system-config : inline-io", "(select to open files in the navigator)"},
        {"Native-IO", "system-config : native-io", "(select to open files in system dialogs)"},
        {"Native-DND", "system-config : native-dnd", "(select to accept dropped files)"},
        {"Advanced-Mode", "system-config : minimal-mode", "(select to keep minimal controls)"},
    }),
};

const LabelGroup k_colour_by = group({
    {"elevation", "colour-by: elevation", "(select to colour by height)"},
    {"depth", "colour-by: depth", "(select to colour by distance from the camera)"},
    {"normal", "colour-by: normal", "(select to colour by surface direction)"},
    {"verticality", "colour-by: verticality", "(select to colour by steepness)"},
    {"planarity", "colour-by: planarity", "(select to colour by polygon flatness)"},
    {"curvature", "colour-by: curvature", "(select to colour by surface bending)"},
    {"quality", "colour-by: element-quality", "(select to colour by triangle shape)"},
    {"valence-NGON", "colour-by: valence-ngon", "(select to colour by polygon side count)"},
    {"valence-TESS", "colour-by: valence-tess", "(select to colour by vertex triangle count)"},
    {"declaration-order", "colour-by: declaration-order", "(select to colour by script order)"},
    {"operand", "colour-by: operand", "(select to colour by operand)"},
    {"face-ID", "colour-by: face-identifier", "(select to colour by face id)"},
    {"group-ID", "colour-by: group-identifier", "(select to colour by group id)"},
    {"element-ID", "colour-by: parallel-element", "(select to colour by parallel element)"},
    {"batch-ID", "colour-by: parallel-batch", "(select to colour by parallel batch)"},
});

const LabelGroup k_field_sliders = group({
    {"1.0", "world-scale [ 0 : 1 ]", "\t World-Scale"},
    {"60", "field-of-view [ 20 : 160 ]", "\t Field-of-View"},
    {"1.0", "light-intensity [ 0 : 1 ]", "\t Light-Intensity"},
    {"0.5", "background-intensity [ 0 : 1 ]", "\t Gradient-Intensity"},
});

const LabelGroup k_inspector = group({
    {"LLMI", "ll-inspector", "(select to expand the low-level mesh inspector)"},
    {"!", "ll-pick-mode: none", "(select to pick nothing)"},
    {"T", "ll-pick-mode: triangle", "(select to pick triangles)"},
    {"P", "ll-pick-mode: polygon", "(select to pick polygons)"},
    {"G", "ll-pick-mode: gouraud-group", "(select to pick smooth groups)"},
    {"O", "ll-pick-mode: operand", "(select to pick operands)"},
    {"E", "ll-pick-mode: entity/element", "(select to pick entities)"},
    {"U", "ll-pick-mode: user-defined", "(select to pick user-defined ids)"},
});

const LabelGroup k_parallel_flags = group({
    {"PF", "parallel-flags", "(select to expand the parallel-assembly flags)"},
    {"4", "max-cores", "(select to set the most kernel jobs at once)"},
    {"MCP", "multi-core-processing",
     "(select to enable/disable simultaneous execution for parallel entities)"},
    {"Cull", "re-assembly-culling",
     "(select to enable/disable source-to-source parallel-re-assembly-culling)"},
    {"IG", "invocation-groups",
     "(select to enable/disable parallel-assembly batching for applicable entities during "
     "multi-core execution)"},
    {"CCPP", "constant-cost-parallel-prefix",
     "(select to enable/disable the CCPP optimisation for applicable parallel entities)"},
    {"P-Op.", "pre-emptive-optimisation",
     "(select to enable/disable pre-emptive optimisation for applicable parallel entities)"},
});

// The first four are the column's buttons sync, previous, next and goto,
// then the two goto fields, then the four option buttons.
const LabelGroup k_camera_directives = group({
    {"SYNC", "sync-CDs", "(select to synchronise camera-directives)"},
    {"<", "previous-CD", "(select to apply the previous camera-directive)"},
    {">", "next-CD", "(select to apply the next camera-directive)"},
    {"GOTO", "goto-CD",
     "(select to toggle display of direct-input 'goto' camera-directive control)"},
    {"0,0,0", "eye-position \t V3:[x,y,z]", "(enter the eye position)"},
    {"0,0,0", "look-at-position \t V3:[x,y,z]", "(enter the look-at position)"},
    {"AUTO", "auto-sync-CDs",
     "(select to toggle automatic state synchronisation for camera-directives)"},
    {"ROOT", "root-CD-mode",
     "(select to toggle environment-root versus selected-entity camera-directive filtering "
     "mode)"},
    {"ANIM", "animate-CD", "(select to toggle camera-directive state-transition animations)"},
    {"GRID", "grid|list-CD", "(select to toggle list or grid camera-directive layout mode)"},
});

} // namespace

const std::array<std::string, 2> g_side_panel_close_hint{"close side-panel",
                                                         "(select to close the side-panel)"};
const std::string g_menu_tree_hint =
    "(select to open the menu tree: side-panels, captures, hints and quick-hide)";

namespace {

const LabelGroup k_colour_space = group({
    {"MCCS", "multi-channel-colour-space", "(select to colour each channel apart)"},
});

const LabelGroup k_console_channels = group({
    {"KERNEL", "kernel trace", "(select to display kernel invocation messages)"},
    {"SCRIPT", "script trace", "(select to display script print statement messages)"},
    {"FILE-IO", "file-io trace", "(select to display input-output operation messsage)"},
    {"ERROR", "error trace", "(select to display parsing and assembly error messages)"},
});

const LabelGroup k_side_panel = group({
    {"CONSOLE", "console trace", "(select for system, kernel, script, io and error logs)"},
    {"ENTITY", "entity inspector", "(select to inspect entity attributes)"},
    {"PARAMETER", "parameter control", "(select to configure entity parameters)"},
});

// Rows in the order of `MenuTreeRow`.
const LabelGroup k_menu_tree = group({
    {"Console-Trace [1]", "console trace",
     "(select for system, kernel, script, io and error logs)"},
    {"Entity-Inspector [2]", "entity inspector", "(select to inspect entity attributes)"},
    {"Parameter-Control [3]", "parameter control", "(select to configure entity parameters)"},
    {"Close-Panel", "close side-panel", "(select to close the side-panel)"},
    {"Snapshot [CTRL+8]", "file : snapshot", "(select to capture the 3-D view as an image)"},
    {"Screenshot [CTRL+7]", "file : screenshot",
     "(select to capture the whole window as an image)"},
    {"Hover-Hints", "hover hints",
     "(select to toggle the hints shown for the widget under the pointer)"},
    {"UI-Quick-Hide [SPACEBAR]", "ui : quick-hide", "(select to hide the bars and panels)"},
});

const LabelGroup k_execute_modes = group({
    {"\t Pure-Union", "Pure-Union Mesh", "(select to join operands without booleans)"},
    {"\t Basic-CSG", "Basic-CSG Mesh", "(select to apply plain booleans)"},
    {"\t Optimal-CSG", "Optimal-CSG Mesh", "(select to apply optimised booleans)"},
});

const LabelGroup k_tool_buttons = group({
    {"OPEN", "file : open \t [ ctrl+o ]", "(select to open brisk-form scripts)"},
    {"PARSE", "file : parse", "(select to parse the scripts and see the report)"},
    {"ASSEMBLE", "file : assemble", "(select to assemble the scripts again)"},
    {"CAPTURE", "file : capture", "(select to save a snapshot of the view)"},
    {"EXPORT", "file : export", "(select to export the meshes)"},
    {"SETTINGS", "settings \t [ m ]", "(select to toggle display of the options menu)"},
});

const LabelGroup k_tab_bar = group({
    {"ENV", "environment : new", "(select to open a new environment)"},
    {"ABOUT", "about", "(select to read about this program)"},
    {"HELP", "help", "(select to read the keys and bars)"},
});

} // namespace

const MeshFeatureMatrix g_mesh_feature_matrix{{
    {1, 0, 0, 1, 0, 0},
    {1, 1, 1, 1, 0, 0},
    {1, 1, 1, 1, 1, 1},
}};

const std::array<std::string, 6> g_mesh_feature_labels{"mesh union",       "csg difference",
                                                       "csg intersection", "operand ids",
                                                       "coplanar merging", "vertex welding"};

const std::array<TaggedLabel, 4> g_export_format_labels{{
    {"OBJ", " | Alias-Wavefront-Format"},
    {"OFF", " | Object-File-Format"},
    {"PLY", " | Stanford-Polygon-Format"},
    {"STL", " | Stereolithagraphy-Format"},
}};

const std::array<TaggedLabel, 6> g_export_option_labels{{
    {"NXYZ", "normals"},
    {"RGBA", "colours"},
    {"0|1", "binary"},
    {"NGON", "polygons"},
    {"TESS", "triangles"},
    {"12:34", "timestamp"},
}};

const std::array<LabelPair, 6> g_export_option_hints{{
    {"Normals", "(select to write the vertex normals)"},
    {"Colours", "(select to write the vertex colours)"},
    {"Binary", "(select to write PLY and STL files in binary form)"},
    {"Polygon-Loops", "(select to write a file of the polygons, \"_NGON\")"},
    {"Tesselations", "(select to write a file of the triangles, \"_TESS\")"},
    {"Time-Stamp", "(select to end the file names with the date and time)"},
}};

const std::array<ExecutionModeTexts, 3> g_execution_mode_texts{{
    {{"Re-Assembly Execution Mode:", "Pure-Union-Mesh"}, {"Pure-Union", "Mesh", "A|1"}},
    {{"Re-Assembly Execution Mode:", "Basic-CSG-Mesh"}, {"Basic-CSG", "Mesh", "B|2"}},
    {{"Re-Assembly Execution Mode:", "Optimal-CSG-Mesh"}, {"Optimal-CSG", "Mesh", "C|3"}},
}};

namespace {

std::array<MenuTableEntry, MENU_TABLE_COUNT> make_refs()
{
    std::array<MenuTableEntry, MENU_TABLE_COUNT> refs{};
    refs[MENU_TABLE_TOOL_TITLES].group = &k_tool_titles;
    refs[MENU_TABLE_SETTINGS_TITLES].group = &k_settings_titles;
    for (int m = 0; m < TOOL_MENU_COUNT; ++m)
        refs[static_cast<std::size_t>(MENU_TABLE_FIRST_TOOL_MENU + m)].group =
            &k_tool_menus[static_cast<std::size_t>(m)];
    for (int m = 0; m < SETTINGS_MENU_COUNT; ++m)
        refs[static_cast<std::size_t>(MENU_TABLE_FIRST_SETTINGS_MENU + m)].group =
            &k_settings_menus[static_cast<std::size_t>(m)];
    refs[MENU_TABLE_COLOUR_BY].group = &k_colour_by;
    refs[MENU_TABLE_FIELD_SLIDERS].group = &k_field_sliders;
    refs[MENU_TABLE_INSPECTOR].group = &k_inspector;
    refs[MENU_TABLE_PARALLEL_FLAGS].group = &k_parallel_flags;
    refs[MENU_TABLE_CAMERA_DIRECTIVES].group = &k_camera_directives;
    refs[MENU_TABLE_COLOUR_SPACE].group = &k_colour_space;
    refs[MENU_TABLE_CONSOLE_CHANNELS].group = &k_console_channels;
    refs[MENU_TABLE_SIDE_PANEL].group = &k_side_panel;
    refs[MENU_TABLE_EXECUTE_MODES].group = &k_execute_modes;
    refs[MENU_TABLE_TOOL_BUTTONS].group = &k_tool_buttons;
    refs[MENU_TABLE_TAB_BAR].group = &k_tab_bar;
    refs[MENU_TABLE_MESH_FEATURES].matrix = &g_mesh_feature_matrix;
    return refs;
}

} // namespace

const std::array<MenuTableEntry, MENU_TABLE_COUNT> g_menu_table_refs = make_refs();

const LabelGroup& label_group(MenuTableRef ref)
{
    static const LabelGroup empty;
    const LabelGroup* group = g_menu_table_refs[static_cast<std::size_t>(ref)].group;
    return group != nullptr ? *group : empty;
}

const LabelGroup& menu_tree_labels()
{
    return k_menu_tree;
}

const LabelGroup& tool_menu_labels(int menu)
{
    return label_group(static_cast<MenuTableRef>(MENU_TABLE_FIRST_TOOL_MENU + menu));
}

const LabelGroup& settings_menu_labels(int menu)
{
    return label_group(static_cast<MenuTableRef>(MENU_TABLE_FIRST_SETTINGS_MENU + menu));
}
