#pragma once

// The part of the application's state that belongs to one environment: the
// live copy sits in the Application while the environment is current and a
// stored copy in its EnvironmentRecord otherwise. Saving and restoring an
// environment copies this block whole; the default values are what a new
// environment starts with.

#include <array>
#include <cstdint>
#include <string>

constexpr int PANEL_FLAG_COUNT = 12;

// Panel flags with a fixed meaning; the remaining entries are layout flags
// whose meaning the layout code gives them, copied as they are.
enum PanelFlag : int {
    PANEL_SIDE_PANEL_SHOWN = 0,
    PANEL_SETTINGS_BAR_VISIBLE = 1,
    PANEL_SLIDER_BAR_VISIBLE = 2,
    PANEL_VIEW_LOCK = 4,
    PANEL_VERTICAL_FLIP = 8,
    PANEL_FRAME_MODE = 9,
    PANEL_QUICK_HIDE = 10,
};

// Camera-controller modes.
enum CameraControllerMode : std::int32_t {
    CAMERA_OBJECT_ORBIT = 0,
    CAMERA_FREE_ROAM = 1,
    CAMERA_FIRST_PERSON = 2,
};

// Kernel execution modes, also the "#execute_mode:" value of assembly runs.
enum ExecutionMode : std::int32_t {
    EXECUTION_PURE_UNION = 0,
    EXECUTION_BASIC_CSG = 1,
    EXECUTION_OPTIMAL_CSG = 2,
};

// Colour schemes of the COLOUR menu.
enum ColourScheme : std::int32_t {
    COLOUR_SCHEME_VERTEX = 0, // the mesh's own per-vertex colours
    COLOUR_SCHEME_DARK = 1,
    COLOUR_SCHEME_LIGHT = 2,
    COLOUR_SCHEME_FUNCTION = 3,
};

// The bars' strips that scroll sideways (or, MENUSCROLL, downwards) when the
// window is too small for them; each environment keeps where they stand.
enum PaneScroll : int {
    PANE_SCROLL_TOOLS = 0, // TOOLSCROLL
    PANE_SCROLL_MENUS,     // MENUSCROLL
    PANE_SCROLL_STATUS,    // STATSCROLL
    PANE_SCROLL_TABS,      // TABSCROLL
    PANE_SCROLL_SLIDERS,   // SLIDERSCROLL
    PANE_SCROLL_COLOURS,   // COLOURSCROLL
    PANE_SCROLL_COUNT,
};

// The floating controls that stay in minimal mode when the bars are hidden.
enum MinimalScroll : int {
    MINIMAL_SCROLL_DIRECTIVES = 0, // the camera-directive list
    MINIMAL_SCROLL_VARIANTS,       // the variants list
    MINIMAL_SCROLL_PARALLEL_FLAGS, // the parallel-flags strip's content
    MINIMAL_SCROLL_INSPECTOR,      // the low-level inspector strip's content
    MINIMAL_SCROLL_COUNT,
};

// Widget option bytes; only the parallel-flags widget is read by name.
constexpr int WIDGET_OPTION_PARALLEL_FLAGS = 4;

// The four view bytes after the animation count.
enum AnimationViewFlag : int {
    VIEW_FLAG_TEXT_VIEW_FONT = 2, // regular rather than small font in the text views
    VIEW_FLAG_CAMERA_SYNC = 3,    // the camera follows the selected viewport pane
};

struct ViewSettings {
    std::int32_t theme_index = 2;

    // Panels and menus: -1 means none open.
    std::array<std::uint8_t, PANEL_FLAG_COUNT> panel_flags{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    std::uint8_t minimal_panel = 0;
    std::int32_t open_side_panel = -1;
    std::int32_t open_settings_menu = -1;
    std::int32_t open_tool_menu = -1;
    std::array<double, PANE_SCROLL_COUNT> pane_scroll_fractions{}; // by PaneScroll

    std::int32_t execution_mode = EXECUTION_OPTIMAL_CSG;
    std::int32_t next_execution_mode = EXECUTION_OPTIMAL_CSG; // set together by the mode buttons

    // Display topology and world widgets.
    std::uint8_t show_surface = 1;
    std::uint8_t show_polygons = 0;
    std::uint8_t show_triangles = 0;
    std::uint8_t show_smooth_groups = 0;
    std::uint8_t show_points = 0;
    std::uint8_t polygon_mode = 0; // derived: polygons, triangles or smooth groups on
    std::uint8_t show_axes = 1;
    std::uint8_t show_grids = 1;
    std::uint8_t show_rings = 1;
    std::uint8_t show_bounds = 0;
    std::uint8_t alpha_grid = 1;   // the grid drawn translucent
    std::uint8_t upright_grid = 0; // the grid standing in the xy plane

    // Colour.
    std::int32_t colour_mode = COLOUR_SCHEME_VERTEX;
    std::uint8_t colour_negate = 1;
    std::int32_t colour_function = 3; // a ColourModeId from 3 (ELEVATION) to 17
    std::uint8_t colour_inverted = 0;
    std::uint8_t transparent_mode = 0;
    std::uint8_t multi_channel_colour = 1; // function ramps through hue, else grey

    // Shading and projection.
    std::uint8_t smooth_shading = 1;
    std::int32_t orbit_kind = 0; // 0 Euler gimbal, 1 quaternion
    std::int32_t projection = 1; // 0 orthographic, 1 perspective

    // Shading effects and lighting terms.
    std::uint8_t orbit_about_centre =
        0; // orbit the centre of the environment's box, not the origin
    std::uint8_t mono_edge = 1;
    std::uint8_t mono_dot = 0;
    std::uint8_t brighten = 0;
    std::uint8_t silhouette = 0;
    std::uint8_t x_ray = 0;
    std::uint8_t negative = 0;
    std::uint8_t unlit = 0;
    std::uint8_t ambient_term = 1;
    std::uint8_t diffuse_term = 1;
    std::uint8_t specular_term = 1;
    std::uint8_t occlusion_term = 0;
    std::uint8_t emission_term = 0;
    std::uint8_t reflection_term = 0;

    // Tables and integers of the view code, kept per environment as they are.
    std::array<std::int32_t, 8> view_table_a{};
    std::array<std::int32_t, 10> view_table_b{};
    std::array<std::int32_t, 2> view_integers{};

    // Orbit camera.
    double zoom = 4.0;
    std::array<double, 3> euler_degrees{30.0, 30.0, 0.0};
    std::uint8_t inverted_zoom = 0;
    double zoom_step = 0.05;
    double zoom_minimum = 0.05;
    double zoom_maximum = 1000.0;
    std::array<std::uint8_t, 3> camera_options{1, 0, 1};

    // Slider quantities.
    double world_scale = 1.0;
    double field_of_view_slider = 60.0;
    double light_intensity = 1.0;
    double gradient_intensity = 0.5;

    // Background rendering.
    std::uint8_t anti_aliasing = 1;
    std::int32_t gradient = -1; // -1 none, 0 linear, 1 radial
    std::uint8_t programmable_shading = 1;

    std::uint8_t culling = 1;  // the "CULLING" option
    std::uint8_t profiler = 0; // the "PROFILER" option
    std::int32_t frame_rate_limit = -1;
    std::uint8_t show_fps = 0;
    std::uint8_t hover_hints = 1;

    std::int32_t mono_edge_tone = 4;
    std::int32_t mono_dot_tone = 4;
    std::int32_t silhouette_tone = 0;
    double eye_height = 1.75;
    std::string eye_height_text = "1.75";

    // File navigator.
    std::string navigator_directory;     // the workspace when restored empty
    std::int32_t navigator_sort_key = 1; // NAME
    std::uint8_t navigator_reverse = 1;

    // Export options.
    std::string export_name;                                // "environment" when restored empty
    std::string export_location;                            // the workspace when restored empty
    std::array<std::uint8_t, 4> export_formats{0, 0, 0, 0}; // OBJ, OFF, PLY, STL
    std::array<std::uint8_t, 3> export_attributes{1, 1, 0}; // normals, colours, binary
    std::array<std::uint8_t, 2> export_topologies{1, 1};    // polygon loops, tessellations
    std::uint8_t export_option = 0;
    std::array<std::uint8_t, 6> export_name_parts{1, 1, 0, 1, 1, 0};

    std::uint8_t minimal_mode = 1;
    std::array<double, MINIMAL_SCROLL_COUNT> minimal_scroll_fractions{}; // by MinimalScroll

    std::int32_t directive_mode = 1; // a settings toggle shows whether it is 2
    std::int32_t current_camera_directive = -1;
    std::array<std::uint8_t, 6> widget_options{1, 0, 1, 0, 1, 0};
    // Rows of the STATE and WIDGETS menus without a widget option byte.
    std::uint8_t attribute_trace = 1;  // the statistics texts over the view
    std::uint8_t camera_views = 1;     // the camera-directive column
    std::uint8_t variants_enabled = 1; // the VARIANTS panel

    // Parallel assembly.
    std::int32_t max_cores = 4;
    std::uint8_t multi_core = 1;
    std::uint8_t reassembly_culling = 1;
    std::uint8_t invocation_groups = 1;
    std::uint8_t ccpp = 0;
    std::uint8_t preemptive_optimisation = 0;
    std::uint8_t show_llmi = 1;
    std::uint8_t llmi_view_option = 0;
    std::uint8_t pick_mode = '!';
    // Whether a pick-mode row was chosen here: until then the indicator
    // keeps its own name rather than the letter of the mode.
    std::uint8_t pick_mode_chosen = 0;

    std::uint8_t animation_view_byte = 0;
    std::uint8_t animation_enabled = 1;
    std::array<std::uint8_t, 4> view_flags{1, 0, 1, 1};

    bool operator==(const ViewSettings&) const = default;
};
