#include "app/actions/toggle_callbacks.h"

#include <algorithm>

#include "app/actions/image_capture.h"
#include "state/application.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"
#include "shell/themes.h"

namespace {

constexpr double WHEEL_STEP = 0.125;

void show_strip(lumo::P& toggle, lumo::KL& panel, std::uint8_t& expanded, bool on)
{
    expanded = on ? 1 : 0;
    toggle.selected = on;
    panel.visible = on;
}

std::uint8_t& assembly_flag(ViewSettings& settings, std::int32_t flag)
{
    switch (flag) {
    case ASSEMBLY_FLAG_MULTI_CORE:
        return settings.multi_core;
    case ASSEMBLY_FLAG_CULLING:
        return settings.reassembly_culling;
    case ASSEMBLY_FLAG_INVOCATION_GROUPS:
        return settings.invocation_groups;
    case ASSEMBLY_FLAG_CCPP:
        return settings.ccpp;
    default:
        return settings.preemptive_optimisation;
    }
}

void flip_labelled_toggle(Application& app, lumo::P& button, std::uint8_t& flag, const char* label)
{
    flag = flag != 0 ? 0 : 1;
    button.set_label(label);
    show_labelled_toggle(button, flag != 0);
    refresh_root(app);
}

// A fraction moved by the wheel and clamped; false when it did not change.
bool step_fraction(double& fraction, int notches)
{
    const double moved = std::clamp(fraction + notches * WHEEL_STEP, 0.0, 1.0);
    if (moved == fraction) return false;
    fraction = moved;
    return true;
}

} // namespace

void toggle_parallel_flags_strip(Application& app)
{
    PanelLayoutState& layout = app.panel_layout;
    const bool open = layout.parallel_flags_expanded == 0;
    show_strip(app.parallel_flags_toggle, app.parallel_flags_strip.panel,
               layout.parallel_flags_expanded, open);
    if (open)
        show_strip(app.llmi_toggle, app.inspector_strip.panel, layout.inspector_expanded, false);
    refresh_root(app);
}

void toggle_assembly_flag(Application& app, std::int32_t flag)
{
    if (flag < 0 || flag >= ASSEMBLY_FLAG_COUNT) return;
    std::uint8_t& value = assembly_flag(app.view_settings, flag);
    value = value != 0 ? 0 : 1;
    app.parallel_option_toggles[static_cast<std::size_t>(flag)].selected = value != 0;
    refresh_root(app);
}

void toggle_profiler(Application& app)
{
    flip_labelled_toggle(app, app.profiler_toggle, app.view_settings.profiler, "PROFILER");
}

void toggle_culling(Application& app)
{
    flip_labelled_toggle(app, app.culling_toggle, app.view_settings.culling, "CULLING");
}

void toggle_variants_panel(Application& app)
{
    std::uint8_t& expanded = app.panel_layout.variants_expanded;
    expanded = expanded != 0 ? 0 : 1;
    app.variants_panel.header.fill = expanded != 0;
    app.variants_panel.header.fill_style =
        expanded != 0 ? &g_active_fill_styles[STYLE_HIGHLIGHT] : nullptr;
    refresh_root(app);
}

void toggle_hover_hints(Application& app)
{
    std::uint8_t& hints = app.view_settings.hover_hints;
    hints = hints != 0 ? 0 : 1;
    style_hint_bar(app);
    mark_menu_tree(app);
    HintBarWidgets& bar = app.hint_bar;
    if (hints == 0) {
        // The frame tick no longer updates the bar: the last hint must not stay.
        bar.bar.visible = false;
        bar.icon.visible = false;
        bar.last_tooltip = nullptr;
        app.hint_texts = {"", ""};
        for (lumo::T& text : bar.texts)
            text.set_label("");
    }
    app.redraw_requested = 1;
    refresh_root(app);
}

void toggle_menu_tree(Application& app)
{
    app.menu_tree.pane.visible = !app.menu_tree.pane.visible;
    mark_menu_tree(app);
    refresh_root(app);
}

void run_menu_tree_row(Application& app, int row)
{
    app.menu_tree.pane.visible = false;
    switch (row) {
    case MENU_TREE_CONSOLE:
    case MENU_TREE_ENTITIES:
    case MENU_TREE_PARAMETERS:
        select_side_panel(app, row);
        break;
    case MENU_TREE_CLOSE_PANEL:
        select_side_panel(app, -1);
        break;
    case MENU_TREE_SNAPSHOT:
        make_snapshot_name(app);
        break;
    case MENU_TREE_SCREENSHOT:
        make_screenshot_name(app);
        break;
    case MENU_TREE_HOVER_HINTS:
        toggle_hover_hints(app);
        break;
    case MENU_TREE_QUICK_HIDE:
        set_quick_hide(app, app.view_settings.panel_flags[PANEL_QUICK_HIDE] == 0);
        break;
    default:
        break;
    }
    refresh_root(app);
}

void scroll_tool_strip(Application& app, int notches)
{
    const int visible = app.tip_bar.scroll.width;
    const int open = app.view_settings.open_tool_menu;
    if (open >= 0 && open < TOOL_MENU_COUNT) {
        const MenuWidgets& menu = app.tool_menus[static_cast<std::size_t>(open)];
        const int content = menu.strip_width + app.tool_menu_title.x + app.tool_menu_title.width;
        if (visible > content) return;
        if (!step_fraction(app.scroll.tool_menus[static_cast<std::size_t>(open)], notches)) return;
        refresh_root(app);
        return;
    }
    if (visible > app.script_list_label.width) return;
    if (step_fraction(app.script_list_scroll, notches)) refresh_root(app);
}

void scroll_settings_strip(Application& app, int notches)
{
    const int open = app.view_settings.open_settings_menu;
    if (open < 0 || open >= SETTINGS_MENU_COUNT) return;
    const MenuWidgets& menu = app.settings_menus[static_cast<std::size_t>(open)];
    if (menu.row_list.size() < 7) return;
    if (!step_fraction(app.scroll.settings_menus[static_cast<std::size_t>(open)], notches)) return;
    refresh_root(app);
}
