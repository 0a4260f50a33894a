#include "shell/state_setters.h"

#include "lumo/font.h"
#include "model/console_state.h"
#include "shell/console_views.h"
#include "shell/refresh.h"

namespace {

const std::array<const char*, TOOL_MENU_COUNT> k_tool_menu_titles{
    "TOPOLOGY", "COLOUR", "SHADING", "ORBIT", "PROJECTION", "STATE", "WIDGETS", "VIEW"};

bool is_action_entry(std::int32_t item)
{
    return item == SETTINGS_MENU_FULLSCREEN || item == SETTINGS_MENU_LOCK ||
           item == SETTINGS_MENU_SLIDERS;
}

std::uint8_t& panel_flag(Application& app, PanelFlag flag)
{
    return app.view_settings.panel_flags[flag];
}

// A framed canvas shows the change only when the bars are not hidden.
void request_redraw_if_framed(Application& app)
{
    if (panel_flag(app, PANEL_FRAME_MODE) && !panel_flag(app, PANEL_QUICK_HIDE))
        app.redraw_requested = 1;
}

void update_settings_menu_pane(Application& app)
{
    app.settings_menu_pane.visible =
        panel_flag(app, PANEL_SETTINGS_BAR_VISIBLE) && app.view_settings.open_settings_menu != -1;
}

// The three entries that act at once flip their state and show it on the bar.
void run_settings_action(Application& app, std::int32_t item)
{
    bool now_on = false;
    if (item == SETTINGS_MENU_FULLSCREEN) {
        app.fullscreen = app.fullscreen ? 0 : 1;
        now_on = app.fullscreen != 0;
        if (app.platform.set_fullscreen != nullptr) app.platform.set_fullscreen(app.fullscreen);
        app.redraw_requested = 1;
    } else if (item == SETTINGS_MENU_LOCK) {
        std::uint8_t& lock = panel_flag(app, PANEL_VIEW_LOCK);
        lock = lock ? 0 : 1;
        now_on = lock != 0;
    } else {
        std::uint8_t& sliders = panel_flag(app, PANEL_SLIDER_BAR_VISIBLE);
        sliders = sliders ? 0 : 1;
        now_on = sliders != 0;
        app.slider_bar.visible = now_on;
    }
    refresh_root(app);
    app.settings_bar_items[static_cast<std::size_t>(item)].selected = now_on;
}

void show_open_settings_menu(Application& app)
{
    const std::int32_t open = app.view_settings.open_settings_menu;
    for (std::int32_t i = 0; i < SETTINGS_MENU_COUNT; ++i) {
        if (!is_action_entry(i))
            app.settings_bar_items[static_cast<std::size_t>(i)].selected = i == open;
        app.settings_menus[static_cast<std::size_t>(i)].pane.visible = i == open;
    }
    update_settings_menu_pane(app);
}

void show_side_panel_widgets(Application& app)
{
    const std::int32_t open = app.view_settings.open_side_panel;
    const bool hidden = panel_flag(app, PANEL_QUICK_HIDE) != 0;
    app.control_pane.visible = !hidden && open != -1;
    for (std::int32_t i = 0; i < 3; ++i) {
        app.side_panels[static_cast<std::size_t>(i)].visible = !hidden && i == open;
        app.side_panel_tabs[static_cast<std::size_t>(i)].selected = i == open;
    }
}

} // namespace

void select_theme(Application& app, std::int32_t theme)
{
    if (theme == app.view_settings.theme_index) return;
    app.view_settings.theme_index = theme;
    app.redraw_requested = 1;
    refresh_root(app);
}

void set_settings_bar_visible(Application& app, bool on)
{
    panel_flag(app, PANEL_SETTINGS_BAR_VISIBLE) = on ? 1 : 0;
    app.settings_bar.visible = on && !panel_flag(app, PANEL_QUICK_HIDE);
    update_settings_menu_pane(app);
    request_redraw_if_framed(app);
    refresh_root(app);
}

void select_settings_menu_item(Application& app, std::int32_t item)
{
    if (is_action_entry(item)) {
        run_settings_action(app, item);
        refresh_root(app);
        return;
    }
    std::int32_t& open = app.view_settings.open_settings_menu;
    const bool in_range = item >= 0 && item < SETTINGS_MENU_COUNT;
    open = (!in_range || item == open) ? -1 : item;
    show_open_settings_menu(app);
    refresh_root(app);
}

void toggle_tool_menu(Application& app, std::int32_t menu)
{
    std::int32_t& open = app.view_settings.open_tool_menu;
    const bool in_range = menu >= 0 && menu < TOOL_MENU_COUNT;
    open = (!in_range || menu == open) ? -1 : menu;
    const bool is_open = open != -1;
    app.tool_menu_pane.visible = is_open;
    app.tool_menu_title.visible = is_open;
    app.tool_menu_icon.visible = is_open;
    app.tool_menu_icon.icon =
        is_open ? static_cast<int>(app.tool_menu_icons[static_cast<std::size_t>(open)]) : -1;
    app.tool_menu_title.set_label(is_open ? k_tool_menu_titles[static_cast<std::size_t>(open)]
                                          : "");
    for (std::int32_t i = 0; i < TOOL_MENU_COUNT; ++i)
        app.tool_menus[static_cast<std::size_t>(i)].pane.visible = i == open;
    refresh_root(app);
}

void select_side_panel(Application& app, std::int32_t panel)
{
    std::int32_t& open = app.view_settings.open_side_panel;
    const bool in_range = panel >= 0 && panel < 3;
    open = (!in_range || panel == open) ? -1 : panel;
    panel_flag(app, PANEL_SIDE_PANEL_SHOWN) = open != -1 ? 1 : 0;
    show_side_panel_widgets(app);
    request_redraw_if_framed(app);
    refresh_root(app);
}

void set_vertical_flip_mode(Application& app, bool on)
{
    std::uint8_t& flip = panel_flag(app, PANEL_VERTICAL_FLIP);
    if ((flip != 0) == on) return;
    flip = on ? 1 : 0;
    request_redraw_if_framed(app);
    refresh_root(app);
}

void set_quick_hide(Application& app, bool on)
{
    std::uint8_t& hide = panel_flag(app, PANEL_QUICK_HIDE);
    if ((hide != 0) == on) return;
    hide = on ? 1 : 0;
    app.settings_bar.visible = !on && panel_flag(app, PANEL_SETTINGS_BAR_VISIBLE);
    app.slider_bar.visible = !on && panel_flag(app, PANEL_SLIDER_BAR_VISIBLE);
    app.hint_bar.icon.visible = !on;
    show_side_panel_widgets(app);
    update_settings_menu_pane(app);
    if (on) app.settings_menu_pane.visible = false;
    app.redraw_requested = 1;
    refresh_root(app);
}

void select_execution_mode(Application& app, std::int32_t mode)
{
    app.view_settings.execution_mode = mode;
    app.view_settings.next_execution_mode = mode;
    for (std::int32_t i = 0; i < 3; ++i) {
        lumo::P& button = app.execution_mode_buttons[static_cast<std::size_t>(i)];
        button.selected = i == mode;
        button.font = i == mode ? lumo::kFontBold : lumo::kFontRegular;
    }
    refresh_root(app);
}

void select_console_channel(Application& app, std::int32_t channel)
{
    if (channel < 0 || channel >= CHANNEL_COUNT) return;
    for (std::int32_t i = 0; i < CHANNEL_COUNT; ++i)
        app.console_channel_tabs[static_cast<std::size_t>(i)].selected = i == channel;
    if (app.current_console != nullptr) select_shown_channel(*app.current_console, channel);
    show_console_channel(app);
    refresh_root(app);
}

void select_text_view_font(Application& app, bool regular_font)
{
    app.view_settings.view_flags[VIEW_FLAG_TEXT_VIEW_FONT] = regular_font ? 1 : 0;
    for (lumo::T& text : app.text_views) {
        text.font = regular_font ? lumo::kFontRegular : lumo::kFontSmall;
        text.set_label(text.label);
    }
}

void update_hover_hint(Application& app)
{
    HintBarWidgets& hint = app.hint_bar;
    const lumo::P* tooltip = lumo::g_tooltip_widget;
    if (tooltip == hint.last_tooltip) return;
    int icon = -1;
    if (tooltip != nullptr) {
        app.hint_texts[0] = tooltip->hint_title != nullptr ? *tooltip->hint_title : "";
        app.hint_texts[1] = tooltip->hint_text != nullptr ? *tooltip->hint_text : "";
        icon =
            tooltip->hint_icon >= 0 ? tooltip->hint_icon : (tooltip->icon > 0 ? tooltip->icon : -1);
    } else {
        app.hint_texts = {"", ""};
    }
    const std::int32_t left =
        icon >= 0 ? app.layout.row_height + 2 * app.layout.gap : app.layout.gap / 2;
    for (std::size_t i = 0; i < hint.texts.size(); ++i) {
        hint.texts[i].set_label(app.hint_texts[i]);
        hint.texts[i].margin.left = left;
    }
    hint.icon.icon = icon;
    hint.icon.visible = tooltip != nullptr;
    hint.last_tooltip = tooltip;
    refresh_root(app);
}
