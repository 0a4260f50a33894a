#include "app/actions/menu_dispatch.h"

#include <array>

#include "app/commands/menu_bars.h"
#include "state/application.h"
#include "panels/entity_colouring.h"
#include "panels/info_texts.h"
#include "shell/camera_control.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

std::uint8_t flip(std::uint8_t& flag)
{
    flag = flag ? 0 : 1;
    return flag;
}

MenuCheckBits& tool_bits(Application& app, std::int32_t menu)
{
    return *app.menu_checks.tool_menu_checks[static_cast<std::size_t>(menu)];
}

MenuCheckBits& settings_bits(Application& app, std::int32_t menu)
{
    return *app.menu_checks.settings_menu_checks[static_cast<std::size_t>(menu)];
}

// A toggle row: flips its flag and shows the new value as its check mark.
void toggle_row(MenuCheckBits& bits, std::int32_t item, std::uint8_t& flag)
{
    set_menu_check(bits, item, flip(flag) != 0);
}

// Exactly one of the radio rows `first` .. `first + count - 1` is checked.
void check_radio(MenuCheckBits& bits, std::int32_t first, std::int32_t count, std::int32_t item)
{
    for (std::int32_t i = first; i < first + count; ++i)
        set_menu_check(bits, i, i == item);
}

void update_topology_flags(Application& app)
{
    ViewSettings& settings = app.view_settings;
    settings.polygon_mode =
        settings.show_polygons || settings.show_triangles || settings.show_smooth_groups;
    app.no_render.visible =
        !settings.show_surface && !settings.polygon_mode && !settings.show_points;
}

// Polygons, triangles and smooth groups exclude one another.
void toggle_edge_topology(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    std::uint8_t* flags[3] = {&settings.show_polygons, &settings.show_triangles,
                              &settings.show_smooth_groups};
    MenuCheckBits& bits = tool_bits(app, TOOL_MENU_TOPOLOGY);
    for (std::int32_t i = 1; i <= 3; ++i) {
        if (i == item) continue;
        *flags[i - 1] = 0;
        set_menu_check(bits, i, false);
    }
    toggle_row(bits, item, *flags[item - 1]);
}

// False when nothing changed: a radio row that is already current.
bool topology_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = tool_bits(app, TOOL_MENU_TOPOLOGY);
    if (item == 0) toggle_row(bits, 0, settings.show_surface);
    if (item >= 1 && item <= 3) toggle_edge_topology(app, item);
    if (item == 4) toggle_row(bits, 4, settings.show_points);
    update_topology_flags(app);
    return item >= 0 && item <= 4;
}

bool colour_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = tool_bits(app, TOOL_MENU_COLOUR);
    if (item == 4) {
        toggle_colour_inversion(app);
        set_menu_check(bits, 4, settings.colour_inverted != 0);
        return true;
    }
    if (item < 0 || item > 3 || settings.colour_mode == item) return false;
    check_radio(bits, 0, 4, item);
    settings.colour_mode = item;
    app.colour_bar.bar.visible =
        item == COLOUR_SCHEME_FUNCTION && !settings.panel_flags[PANEL_QUICK_HIDE];
    recolour_all(app);
    return true;
}

bool shading_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = tool_bits(app, TOOL_MENU_SHADING);
    std::uint8_t* effects[6] = {&settings.mono_edge,  &settings.mono_dot, &settings.brighten,
                                &settings.silhouette, &settings.x_ray,    &settings.negative};
    if (item == 0 || item == 1) {
        const std::uint8_t smooth = item == 1 ? 1 : 0;
        if (settings.smooth_shading == smooth && get_menu_check(bits, item)) return false;
        settings.smooth_shading = smooth;
        check_radio(bits, 0, 2, item);
    } else if (item == 2) {
        toggle_transparency_mode(app);
        set_menu_check(bits, 2, settings.transparent_mode != 0);
    } else if (item >= 3 && item <= 8) {
        toggle_row(bits, item, *effects[item - 3]);
    } else {
        return false;
    }
    return true;
}

bool radio_item(Application& app, ToolMenu menu, std::int32_t& value, std::int32_t item)
{
    if (item < 0 || item > 1 || value == item) return false;
    value = item;
    check_radio(tool_bits(app, menu), 0, 2, item);
    return true;
}

bool orbit_item(Application& app, std::int32_t item)
{
    if (item == 2) {
        toggle_row(tool_bits(app, TOOL_MENU_ORBIT), 2, app.view_settings.orbit_about_centre);
        return true;
    }
    return radio_item(app, TOOL_MENU_ORBIT, app.view_settings.orbit_kind, item);
}

bool camera_locked(const Application& app)
{
    return app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0;
}

bool state_item(Application& app, std::int32_t item)
{
    if (item == 0) {
        toggle_row(tool_bits(app, TOOL_MENU_STATE), 0, app.view_settings.attribute_trace);
        show_attribute_trace(app);
        return true;
    }
    if ((item != 1 && item != 2) || camera_locked(app)) return false;
    if (item == 1)
        sync_view_widget(app);
    else
        reset_camera(app);
    return true;
}

using ViewPresetFn = void (*)(Application&);
constexpr std::array<ViewPresetFn, 6> VIEW_PRESETS{set_view_top,   set_view_base,  set_view_left,
                                                   set_view_right, set_view_front, set_view_back};

bool view_item(Application& app, std::int32_t item)
{
    if (item < 0 || item >= static_cast<std::int32_t>(VIEW_PRESETS.size()) || camera_locked(app))
        return false;
    VIEW_PRESETS[static_cast<std::size_t>(item)](app);
    return true;
}

bool widget_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    std::uint8_t* widgets[4] = {&settings.show_axes, &settings.show_grids, &settings.show_rings,
                                &settings.show_bounds};
    if (item < 0 || item > 3) return false;
    toggle_row(tool_bits(app, TOOL_MENU_WIDGETS), item, *widgets[item]);
    return true;
}

bool run_tool_item(Application& app, std::int32_t menu, std::int32_t item)
{
    switch (menu) {
    case TOOL_MENU_TOPOLOGY:
        return topology_item(app, item);
    case TOOL_MENU_COLOUR:
        return colour_item(app, item);
    case TOOL_MENU_SHADING:
        return shading_item(app, item);
    case TOOL_MENU_ORBIT:
        return orbit_item(app, item);
    case TOOL_MENU_PROJECTION:
        return radio_item(app, TOOL_MENU_PROJECTION, app.view_settings.projection, item);
    case TOOL_MENU_STATE:
        return state_item(app, item);
    case TOOL_MENU_WIDGETS:
        return widget_item(app, item);
    case TOOL_MENU_VIEW:
        return view_item(app, item);
    default:
        return false;
    }
}

void window_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = settings_bits(app, SETTINGS_MENU_WINDOW);
    if (item == 2) {
        set_vertical_flip_mode(app, !settings.panel_flags[PANEL_VERTICAL_FLIP]);
        set_menu_check(bits, 2, settings.panel_flags[PANEL_VERTICAL_FLIP] != 0);
    } else if (item == 3) {
        set_frame_mode(app, !settings.panel_flags[PANEL_FRAME_MODE]);
        set_menu_check(bits, 3, settings.panel_flags[PANEL_FRAME_MODE] != 0);
    } else if (item == 4) {
        toggle_row(bits, 4, settings.show_fps);
        app.fps_readout.visible = settings.show_fps != 0;
        build_fps_text(app);
    } else if (item == 5) {
        // A full-screen window first leaves full screen as the bar's
        // FULLSCREEN item does, so that the start size can take effect.
        if (app.fullscreen) select_settings_menu_item(app, SETTINGS_MENU_FULLSCREEN);
        reset_window_size(app);
    }
}

void background_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = settings_bits(app, SETTINGS_MENU_SHADING);
    if (item == 0) toggle_row(bits, 0, settings.anti_aliasing);
    if (item == 1 || item == 2) {
        const std::int32_t gradient = item - 1; // 0 linear, 1 radial
        settings.gradient = settings.gradient == gradient ? -1 : gradient;
        set_menu_check(bits, 1, settings.gradient == 0);
        set_menu_check(bits, 2, settings.gradient == 1);
    }
    if (item == 3 || item == 4) {
        settings.programmable_shading = item == 4 ? 1 : 0;
        set_menu_check(bits, 3, item == 3);
        set_menu_check(bits, 4, item == 4);
    }
}

void lighting_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    std::uint8_t* terms[7] = {&settings.unlit,          &settings.ambient_term,
                              &settings.diffuse_term,   &settings.specular_term,
                              &settings.occlusion_term, &settings.emission_term,
                              &settings.reflection_term};
    if (item >= 0 && item < 7)
        toggle_row(settings_bits(app, SETTINGS_MENU_LIGHTING), item, *terms[item]);
    if (item >= 0) set_up_light0(app);
}

void camera_item(Application& app, std::int32_t item)
{
    if (item < 0 || item > 2 || item == app.camera_mode) return;
    switch_camera_controller(app, item);
    check_radio(settings_bits(app, SETTINGS_MENU_CAMERA), 0, 3, item);
    update_panel_visibility(app);
    build_status_line(app);
}

void theme_item(Application& app, std::int32_t item)
{
    if (item < 0 || item > 4 || item == app.view_settings.theme_index) return;
    MenuCheckBits& bits = settings_bits(app, SETTINGS_MENU_THEME);
    set_menu_check(bits, app.view_settings.theme_index, false);
    select_theme(app, item);
    build_fps_text(app); // its colours follow the theme
    set_menu_check(bits, item, true);
}

void widgets_item(Application& app, std::int32_t item)
{
    ViewSettings& settings = app.view_settings;
    MenuCheckBits& bits = settings_bits(app, SETTINGS_MENU_WIDGETS);
    switch (item) {
    case 0:
        toggle_row(bits, 0, settings.camera_views);
        break;
    case 1:
        toggle_row(bits, 1, settings.variants_enabled);
        break;
    case 2:
        set_parallel_flags_widget(app, !settings.widget_options[WIDGET_OPTION_PARALLEL_FLAGS]);
        set_menu_check(bits, 2, settings.widget_options[WIDGET_OPTION_PARALLEL_FLAGS] != 0);
        return;
    case 3:
        set_ll_inspector_widget(app, !settings.show_llmi);
        set_menu_check(bits, 3, settings.show_llmi != 0);
        return;
    case 4:
        toggle_row(bits, 4, settings.animation_enabled);
        break;
    case 5:
        toggle_row(bits, 5, settings.alpha_grid);
        break;
    case 6:
        toggle_row(bits, 6, settings.upright_grid);
        break;
    case 11:
        toggle_row(bits, 11, settings.view_flags[VIEW_FLAG_TEXT_VIEW_FONT]);
        select_text_view_font(app, settings.view_flags[VIEW_FLAG_TEXT_VIEW_FONT] != 0);
        return;
    default:
        return;
    }
    update_panel_visibility(app);
}

void system_item(Application& app, std::int32_t item)
{
    MenuSwitches& switches = app.menu_switches;
    std::uint8_t* flags[5] = {&switches.ui_animations, &app.view_settings.inverted_zoom,
                              &app.inline_io, &app.native_io, &app.native_dnd};
    if (item >= 0 && item < 5)
        toggle_row(settings_bits(app, SETTINGS_MENU_SETTINGS), item, *flags[item]);
}

void run_settings_item(Application& app, std::int32_t menu, std::int32_t item)
{
    switch (menu) {
    case SETTINGS_MENU_WINDOW:
        window_item(app, item);
        break;
    case SETTINGS_MENU_SHADING:
        background_item(app, item);
        break;
    case SETTINGS_MENU_LIGHTING:
        lighting_item(app, item);
        break;
    case SETTINGS_MENU_CAMERA:
        camera_item(app, item);
        break;
    case SETTINGS_MENU_THEME:
        theme_item(app, item);
        break;
    case SETTINGS_MENU_WIDGETS:
        widgets_item(app, item);
        break;
    case SETTINGS_MENU_SETTINGS:
        system_item(app, item);
        break;
    default:
        break;
    }
}

bool redraws_scene(std::int32_t menu)
{
    return menu == SETTINGS_MENU_SHADING || menu == SETTINGS_MENU_LIGHTING ||
           menu == SETTINGS_MENU_CAMERA || menu == SETTINGS_MENU_WIDGETS;
}

} // namespace

void handle_tool_menu_item(Application& app, std::int32_t menu, std::int32_t item)
{
    if (menu < 0 || menu >= TOOL_MENU_COUNT) return;
    if (!run_tool_item(app, menu, item)) return;
    mirror_menu_checks(app.tool_menus[static_cast<std::size_t>(menu)], tool_bits(app, menu));
    app.redraw_requested = 1;
    refresh_root(app);
}

void handle_settings_menu_item(Application& app, std::int32_t menu, std::int32_t item)
{
    if (menu < 0 || menu >= SETTINGS_MENU_COUNT) return;
    run_settings_item(app, menu, item);
    for (std::int32_t m = 0; m < SETTINGS_MENU_COUNT; ++m)
        mirror_menu_checks(app.settings_menus[static_cast<std::size_t>(m)], settings_bits(app, m));
    if (redraws_scene(menu)) app.redraw_requested = 1;
    refresh_root(app);
}
