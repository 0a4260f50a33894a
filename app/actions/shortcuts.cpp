#include "app/actions/shortcuts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>

#include "app/actions/image_capture.h"
#include "app/actions/menu_dispatch.h"
#include "app/actions/pane_callbacks.h"
#include "app/commands/entity_commands.h"
#include "app/commands/environment_lifecycle.h"
#include "app/commands/export_command.h"
#include "app/commands/menu_bars.h"
#include "app/commands/open_command.h"
#include "app/commands/parse_check.h"
#include "state/application.h"
#include "panels/file_navigator.h"
#include "panels/info_texts.h"
#include "panels/navigator_openers.h"
#include "platform/input_codes.h"
#include "render/camera_motion.h"
#include "shell/camera_control.h"
#include "shell/confirm_pane.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

// Conditions of a shortcut row, all of which must hold.
enum Condition : std::uint32_t {
    NOT_MODAL = 1u << 0,
    NOT_LOCKED = 1u << 1,
    NOT_QUICK_HIDDEN = 1u << 2,
    NOT_NAVIGATOR = 1u << 3,
    SHIFT_HELD = 1u << 4,
    SHIFT_NOT_HELD = 1u << 5,
    NAVIGATOR = 1u << 6,
};

using ShortcutAction = bool (*)(Application& app);

// One row of a shortcut table: the key (a letter in either case), its
// conditions and what it does. The action returns whether the key counts
// as used.
// A table action that runs `Action` and takes the key.
template <void (*Action)(Application&)> bool consumed(Application& app)
{
    Action(app);
    return true;
}

// The navigator's Up and Down: they also stamp the press time, from which
// the frame tick's auto-repeat waits before it repeats them.
template <void (*Action)(Application&)> bool arrow(Application& app)
{
    Action(app);
    app.held_keys.arrow_press_ms = app.clock_ms();
    return true;
}

struct Shortcut {
    std::int32_t key;
    std::uint32_t conditions;
    ShortcutAction action;
};

constexpr std::int32_t THEME_COUNT = 5;

bool quick_hidden(const Application& app)
{
    return app.view_settings.panel_flags[PANEL_QUICK_HIDE] != 0;
}

bool camera_locked(const Application& app)
{
    return app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0;
}

bool navigator_open(const Application& app)
{
    return app.modal[MODAL_NAVIGATOR] != 0;
}

bool shift_held(std::int32_t modifiers)
{
    return (modifiers & MOD_SHIFT) != 0 || lumo::g_held_key_counts[1] != 0;
}

bool holds(const Application& app, std::uint32_t conditions, std::int32_t modifiers)
{
    if ((conditions & NOT_MODAL) && is_any_modal_open(app)) return false;
    if ((conditions & NOT_LOCKED) && camera_locked(app)) return false;
    if ((conditions & NOT_QUICK_HIDDEN) && quick_hidden(app)) return false;
    if ((conditions & NOT_NAVIGATOR) && navigator_open(app)) return false;
    if ((conditions & NAVIGATOR) && !navigator_open(app)) return false;
    if ((conditions & SHIFT_HELD) && !shift_held(modifiers)) return false;
    if ((conditions & SHIFT_NOT_HELD) && shift_held(modifiers)) return false;
    return true;
}

bool matches(std::int32_t key, std::int32_t wanted)
{
    if (wanted < 256 && std::isalpha(wanted))
        return key == std::tolower(wanted) || key == std::toupper(wanted);
    return key == wanted;
}

// Runs the first row for the key whose conditions hold.
bool run_table(Application& app, std::span<const Shortcut> table, std::int32_t key,
               std::int32_t modifiers)
{
    for (const Shortcut& row : table) {
        if (!matches(key, row.key)) continue;
        if (!holds(app, row.conditions, modifiers)) continue;
        return row.action(app);
    }
    return false;
}

bool next_theme(Application& app)
{
    const std::int32_t theme = (app.view_settings.theme_index + 1) % THEME_COUNT;
    handle_settings_menu_item(app, SETTINGS_MENU_THEME, theme);
    return true;
}

bool previous_theme(Application& app)
{
    const std::int32_t theme = app.view_settings.theme_index - 1;
    handle_settings_menu_item(app, SETTINGS_MENU_THEME, theme < 0 ? THEME_COUNT - 1 : theme);
    return true;
}

bool full_screen(Application& app)
{
    select_settings_menu_item(app, SETTINGS_MENU_FULLSCREEN);
    return true;
}

bool previous_environment(Application& app)
{
    if (app.current_environment_index > 0)
        request_environment_switch(app, app.current_environment_index - 1);
    return true;
}

bool next_environment(Application& app)
{
    if (app.current_environment_index < app.environment_tab_count - 1)
        request_environment_switch(app, app.current_environment_index + 1);
    return true;
}

// Object-orbit zooms by its step within its bounds; the other controllers
// move one unit.
bool zoom_out(Application& app)
{
    ViewSettings& settings = app.view_settings;
    if (app.camera_mode != CAMERA_OBJECT_ORBIT)
        move_camera_backward(app.camera, 1.0);
    else if (settings.zoom > settings.zoom_minimum)
        settings.zoom =
            std::max(settings.zoom - settings.zoom_step * settings.zoom, settings.zoom_minimum);
    build_status_line(app);
    return true;
}

bool zoom_in(Application& app)
{
    ViewSettings& settings = app.view_settings;
    if (app.camera_mode != CAMERA_OBJECT_ORBIT)
        move_camera_forward(app.camera, 1.0);
    else if (settings.zoom < settings.zoom_maximum)
        settings.zoom =
            std::min(settings.zoom + settings.zoom_step * settings.zoom, settings.zoom_maximum);
    build_status_line(app);
    return true;
}

bool flip_camera_lock(Application& app)
{
    set_camera_lock(app, !camera_locked(app));
    return true;
}

bool flip_minimal_mode(Application& app)
{
    if (!quick_hidden(app) || !app.panel_visibility.floating_container) return false;
    ViewSettings& settings = app.view_settings;
    settings.minimal_mode = settings.minimal_mode ? 0 : 1;
    update_panel_visibility(app);
    return true;
}

bool new_environment(Application& app)
{
    notify_ui_change(app);
    return true;
}

bool flip_run_pane(Application& app)
{
    const bool open = app.modal[MODAL_RUN] == 0;
    app.modal[MODAL_RUN] = open ? 1 : 0;
    if (lumo::P* pane = modal_pane_widget(app, MODAL_RUN)) pane->visible = open;
    set_modal_masks(app, open);
    return true;
}

// Tab and Shift+Tab load the next or previous saved view through the 3-D
// view's loader, which reads the pending index.
bool step_saved_view(Application& app, std::int32_t step)
{
    SavedViewStep& views = app.saved_views;
    if (views.count > 1 && app.load_saved_view != nullptr) {
        const std::int32_t previous = views.pending;
        views.pending = (views.current + step + views.count) % views.count;
        app.load_saved_view(app);
        views.pending = previous;
    }
    end_view_drag(app);
    return true;
}

bool next_saved_view(Application& app)
{
    return step_saved_view(app, 1);
}

bool previous_saved_view(Application& app)
{
    return step_saved_view(app, -1);
}

bool enter(Application& app)
{
    run_enter_follow_up(app, confirm_modal_state(app));
    return true;
}

bool flip_quick_hide(Application& app)
{
    set_quick_hide(app, !quick_hidden(app));
    return true;
}

template <std::int32_t Panel> bool side_panel(Application& app)
{
    select_side_panel(app, Panel);
    return true;
}

bool switch_controller(Application& app)
{
    const std::int32_t mode =
        app.camera_mode == CAMERA_FREE_ROAM ? CAMERA_OBJECT_ORBIT : CAMERA_FREE_ROAM;
    handle_settings_menu_item(app, SETTINGS_MENU_CAMERA, mode);
    return true;
}

bool flip_vertical(Application& app)
{
    if (quick_hidden(app) && !app.view_settings.minimal_mode) return false;
    handle_settings_menu_item(app, SETTINGS_MENU_WINDOW, 2);
    return true;
}

bool frame_mode_or_minimal_panel(Application& app)
{
    if (quick_hidden(app)) return toggle_panel_if_content(app);
    handle_settings_menu_item(app, SETTINGS_MENU_WINDOW, 3);
    return true;
}

bool flip_settings_bar(Application& app)
{
    set_settings_bar_visible(app, !app.view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE]);
    return true;
}

bool navigator_relist(Application& app)
{
    list_directory(app, app.navigator.directory);
    return true;
}

constexpr std::array<Shortcut, 30> CTRL_TABLE{{
    {KEY_LEFT, NAVIGATOR, consumed<navigator_cursor_first>},
    {KEY_UP, NAVIGATOR, arrow<navigator_go_parent>},
    {KEY_RIGHT, NAVIGATOR, consumed<navigator_cursor_last>},
    {KEY_DOWN, NAVIGATOR, arrow<navigator_open_single_directory>},
    {KEY_PAGE_DOWN, NOT_MODAL, previous_environment},
    {KEY_PAGE_UP, NOT_MODAL, next_environment},
    {'9', NOT_MODAL | NOT_LOCKED, consumed<sync_view_widget>},
    {'(', NOT_MODAL | NOT_LOCKED, consumed<sync_view_widget>},
    {'0', NOT_MODAL | NOT_LOCKED, consumed<reset_camera>},
    {')', NOT_MODAL | NOT_LOCKED, consumed<reset_camera>},
    {'-', NOT_MODAL | NOT_LOCKED, zoom_out},
    {'=', NOT_MODAL | NOT_LOCKED, zoom_in},
    {'a', NAVIGATOR, consumed<navigator_select_all_files>},
    {'f', 0, full_screen},
    {'h', NAVIGATOR, consumed<navigator_open_single_directory>},
    {'l', NOT_MODAL, flip_camera_lock},
    {'m', NOT_MODAL, flip_minimal_mode},
    {'n', NOT_MODAL, new_environment},
    {'o', NOT_MODAL, consumed<open_script_command>},
    {'p', NOT_MODAL, consumed<parse_report_command>},
    {'r', NAVIGATOR, navigator_relist},
    {'r', NOT_NAVIGATOR | NOT_MODAL | SHIFT_HELD, flip_run_pane},
    {'r', NOT_NAVIGATOR | NOT_MODAL | SHIFT_NOT_HELD, consumed<assemble_command>},
    {'s', NOT_MODAL, consumed<export_command>},
    {'t', SHIFT_NOT_HELD, next_theme},
    {'u', NOT_MODAL, consumed<assemble_command>},
    {'7', NOT_MODAL, consumed<make_screenshot_name>},
    {'&', NOT_MODAL, consumed<make_screenshot_name>},
    {'8', NOT_MODAL, consumed<make_snapshot_name>},
    {'*', NOT_MODAL, consumed<make_snapshot_name>},
}};

constexpr std::array<Shortcut, 3> SHIFT_TABLE{{
    {KEY_TAB, NOT_MODAL, previous_saved_view},
    {'r', NOT_MODAL, flip_run_pane},
    {'t', 0, previous_theme},
}};

constexpr std::array<Shortcut, 19> PLAIN_TABLE{{
    {KEY_LEFT, NAVIGATOR, consumed<navigator_page_up>},
    {KEY_UP, NAVIGATOR, arrow<navigator_cursor_up>},
    {KEY_RIGHT, NAVIGATOR, consumed<navigator_page_down>},
    {KEY_DOWN, NAVIGATOR, arrow<navigator_cursor_down>},
    {KEY_HOME, NAVIGATOR, consumed<navigator_cursor_first>},
    {KEY_END, NAVIGATOR, consumed<navigator_cursor_last>},
    // Page Down steps towards the start of the list, Page Up towards its end.
    {KEY_PAGE_DOWN, NAVIGATOR, consumed<navigator_page_up>},
    {KEY_PAGE_UP, NAVIGATOR, consumed<navigator_page_down>},
    {KEY_TAB, NOT_MODAL, next_saved_view},
    {KEY_ENTER, 0, enter},
    {KEY_ESCAPE, 0, consumed<close_modal_state>},
    {KEY_SPACE, NOT_MODAL, flip_quick_hide},
    {'1', NOT_MODAL | NOT_QUICK_HIDDEN, side_panel<0>},
    {'2', NOT_MODAL | NOT_QUICK_HIDDEN, side_panel<1>},
    {'3', NOT_MODAL | NOT_QUICK_HIDDEN, side_panel<2>},
    {'4', NOT_MODAL, switch_controller},
    {'i', NOT_MODAL, flip_vertical},
    {'k', NOT_MODAL, frame_mode_or_minimal_panel},
    {'m', NOT_MODAL | NOT_QUICK_HIDDEN, flip_settings_bar},
}};

// Alt with an arrow jumps: first or last entry, parent or selected directory.
constexpr std::array<Shortcut, 4> ALT_TABLE{{
    {KEY_LEFT, NAVIGATOR, consumed<navigator_cursor_first>},
    {KEY_UP, NAVIGATOR, arrow<navigator_go_parent>},
    {KEY_RIGHT, NAVIGATOR, consumed<navigator_cursor_last>},
    {KEY_DOWN, NAVIGATOR, arrow<navigator_open_single_directory>},
}};

// Before start-up has finished only these keys work: the navigator's keys
// (Ctrl or Alt with an arrow jumps as the Alt table does), Enter and
// Escape, the configuration openers, full screen and the themes.
constexpr std::array<Shortcut, 8> STARTUP_NAVIGATOR_TABLE{{
    {KEY_LEFT, NAVIGATOR, consumed<navigator_page_up>},
    {KEY_UP, NAVIGATOR, arrow<navigator_cursor_up>},
    {KEY_RIGHT, NAVIGATOR, consumed<navigator_page_down>},
    {KEY_DOWN, NAVIGATOR, arrow<navigator_cursor_down>},
    {KEY_HOME, NAVIGATOR, consumed<navigator_cursor_first>},
    {KEY_END, NAVIGATOR, consumed<navigator_cursor_last>},
    {KEY_PAGE_DOWN, NAVIGATOR, consumed<navigator_page_up>},
    {KEY_PAGE_UP, NAVIGATOR, consumed<navigator_page_down>},
}};

constexpr std::array<Shortcut, 7> STARTUP_CTRL_TABLE{{
    {'a', NAVIGATOR, consumed<navigator_select_all_files>},
    {'e', NOT_NAVIGATOR, consumed<open_workspace_selection>},
    {'f', 0, full_screen},
    {'h', NAVIGATOR, consumed<navigator_open_single_directory>},
    {'k', NOT_NAVIGATOR, consumed<open_kernel_path_selection>},
    {'r', NAVIGATOR, navigator_relist},
    {'t', SHIFT_NOT_HELD, next_theme},
}};

constexpr std::array<Shortcut, 2> STARTUP_TABLE{{
    {KEY_ENTER, 0, enter},
    {KEY_ESCAPE, 0, consumed<close_modal_state>},
}};

bool run_startup_navigator_key(Application& app, std::int32_t key, std::int32_t modifiers)
{
    const bool jump = (modifiers & (MOD_CTRL | MOD_ALT)) != 0;
    // With Ctrl or Alt the arrows jump; Home, End and the page keys do not
    // care for the modifiers.
    const std::span<const Shortcut> steps =
        jump ? std::span(STARTUP_NAVIGATOR_TABLE).subspan(4) : std::span(STARTUP_NAVIGATOR_TABLE);
    const bool used = (jump && run_table(app, ALT_TABLE, key, modifiers)) ||
                      run_table(app, steps, key, modifiers);
    if (used && (key == KEY_UP || key == KEY_DOWN)) mark_key_down(app, key);
    return used;
}

bool run_startup_key(Application& app, std::int32_t key, std::int32_t modifiers)
{
    if (run_startup_navigator_key(app, key, modifiers)) return true;
    const bool ctrl = (modifiers & MOD_CTRL) != 0;
    if (ctrl) return run_table(app, STARTUP_CTRL_TABLE, key, modifiers);
    if (shift_held(modifiers) && matches(key, 't')) return previous_theme(app);
    return run_table(app, STARTUP_TABLE, key, modifiers);
}

// The confirmation pane's option row, else the run pane's execution modes,
// take 1/a, 2/b and 3/c.
bool run_pane_keys(Application& app, std::int32_t key)
{
    constexpr std::array<std::array<std::int32_t, 2>, 3> option_keys{
        {{'1', 'a'}, {'2', 'b'}, {'3', 'c'}}};
    for (std::int32_t option = 0; option < 3; ++option) {
        const auto& keys = option_keys[static_cast<std::size_t>(option)];
        if (key != keys[0] && !matches(key, keys[1])) continue;
        if (app.modal[MODAL_CONFIRM] && app.confirm.option_visible) {
            set_confirm_option(app, option);
            return true;
        }
        if (app.modal[MODAL_RUN]) {
            select_execution_mode(app, option);
            return true;
        }
    }
    return false;
}

std::span<const Shortcut> table_for(std::int32_t modifiers)
{
    if (modifiers & MOD_CTRL) return CTRL_TABLE;
    if (modifiers & MOD_SHIFT) return SHIFT_TABLE;
    if (!(modifiers & MOD_ALT)) return PLAIN_TABLE;
    return ALT_TABLE;
}

void end_widget_drag()
{
    if (lumo::g_drag_widget == nullptr) return;
    lumo::P* dragged = lumo::g_drag_widget;
    dragged->on_mouse_up(0, 0, 0);
    lumo::g_drag_widget = nullptr;
}

} // namespace

void mark_key_down(Application& app, std::int32_t key)
{
    HeldKeys& held = app.held_keys;
    if (key >= 0 && key < 256) {
        held.keys[static_cast<std::size_t>(key)] = 1;
        if (std::isalpha(key)) {
            held.keys[static_cast<std::size_t>(std::tolower(key))] = 1;
            held.keys[static_cast<std::size_t>(std::toupper(key))] = 1;
        }
    } else if (key >= KEY_LEFT && key <= KEY_DOWN) {
        held.arrows[static_cast<std::size_t>(key - KEY_LEFT)] = 1;
    }
}

bool handle_application_key(Application& app, std::int32_t key, std::int32_t modifiers)
{
    if (app.panel_layout.window_too_small) return false;
    bool used = false;
    if (!app.startup_finished) {
        used = run_startup_key(app, key, modifiers);
    } else {
        // The root's dispatch has offered the key to the focused widget
        // first; what the widget leaves is no shortcut.
        if (lumo::g_focused_widget != nullptr) return false;
        mark_key_down(app, key);
        end_widget_drag();
        used = run_table(app, table_for(modifiers), key, modifiers);
        used = run_pane_keys(app, key) || used;
    }
    if (!used) return false;
    app.redraw_requested = 1;
    refresh_root(app);
    return true;
}

bool root_key_down(Application& app, std::int32_t key, std::int32_t modifiers)
{
    // Before start-up has finished, and while the window is too small, no
    // widget takes keys: the Application's handler alone decides.
    if (app.startup_finished == 0 || app.panel_layout.window_too_small != 0)
        return app.root.on_key_down(key, modifiers);
    const lumo::P* focused = lumo::g_focused_widget;
    const bool used = app.root.dispatch_key_down(key, modifiers);
    // A field that took the key changed its own text or cursor: show it at once.
    if (used && focused != nullptr && app.root.on_repaint != nullptr) app.root.on_repaint();
    return used;
}

bool handle_app_key_up(Application& app, std::int32_t key, std::int32_t)
{
    // The root's dispatch has given the key-up to the focused widget first.
    if (lumo::g_focused_widget != nullptr) return false;
    HeldKeys& held = app.held_keys;
    if (key >= 0 && key < 256) {
        held.keys[static_cast<std::size_t>(key)] = 0;
        if (std::isalpha(key)) {
            held.keys[static_cast<std::size_t>(std::tolower(key))] = 0;
            held.keys[static_cast<std::size_t>(std::toupper(key))] = 0;
        }
    } else if (key >= KEY_LEFT && key <= KEY_DOWN) {
        held.arrows[static_cast<std::size_t>(key - KEY_LEFT)] = 0;
    }
    return false;
}

bool root_key_up(Application& app, std::int32_t key, std::int32_t modifiers)
{
    if (key >= lumo::kKeyAlt && key <= lumo::kKeyCtrl) {
        std::uint32_t& count = lumo::g_held_key_counts[key - lumo::kKeyAlt];
        if (count > 0) --count;
        return false;
    }
    return app.root.dispatch_key_up(key, modifiers);
}
