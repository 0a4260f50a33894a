#include "app/frame/interface_construction.h"

#include "app/commands/environment_lifecycle.h"
#include "app/commands/environment_view.h"
#include "app/frame/callback_wiring.h"
#include "state/application.h"
#include "lumo/font.h"
#include "model/console_state.h"
#include "model/text_metrics.h"
#include "panels/configuration_panes.h"
#include "panels/environment_tabs.h"
#include "platform/clock.h"
#include "platform/startup_wiring.h"
#include "shell/state_setters.h"
#include "shell/themes.h"

namespace {

// Root children bottom to top: the scene's backdrop and view, the panes and
// bars, the floating controls, then the masks, dialogs and start-up panes.
// While quick-hidden the status bar's toggles and strips lie on the
// quick-hide strip, and the expand button sits in a corner of HIDELOGO and
// lies above it, so each takes the press its icon shows. HIDELOGO lies
// under CONTENTPANE: the frame-rate read-out reaches into its corner, and
// the read-out's text stays whole (the pane takes no presses, so a press
// there still ends quick-hide).
void build_tree(Application& app)
{
    lumo::UI& root = app.root;
    root.children.clear();
    for (lumo::P* child : std::initializer_list<lumo::P*>{&app.backdrop,
                                                          &app.view,
                                                          &app.hide_logo,
                                                          &app.content_pane,
                                                          &app.control_pane,
                                                          &app.colour_bar.bar,
                                                          &app.slider_bar,
                                                          &app.hint_bar.bar,
                                                          &app.toolbar.bar,
                                                          &app.tip_bar.bar,
                                                          &app.status_bar.bar,
                                                          &app.tab_bar.bar,
                                                          &app.settings_bar,
                                                          &app.settings_menu_pane,
                                                          &app.menu_tree.pane,
                                                          &app.quick_hide_strips[0],
                                                          &app.quick_hide_strips[1],
                                                          &app.parallel_flags_toggle,
                                                          &app.llmi_toggle,
                                                          &app.parallel_flags_strip.panel,
                                                          &app.inspector_strip.panel,
                                                          &app.directive_column.column,
                                                          &app.directive_column.grip,
                                                          &app.variants_panel.panel,
                                                          &app.animation_control,
                                                          &app.expand_button,
                                                          &app.caption_box,
                                                          &app.centre_marker,
                                                          &app.no_render,
                                                          &app.lock_icon,
                                                          &app.tab_bar.hover_card,
                                                          &app.border,
                                                          &app.mask_pane,
                                                          &app.dialog_layer,
                                                          &app.overlay,
                                                          &app.configuration_pane_widgets.pane,
                                                          &app.run_overlay.overlay,
                                                          &app.startup_pane,
                                                          &app.resize_notice.notice})
        root.add_child(child);
    app.dialog_layer.add_child(&app.dialog_frame);
    app.dialog_layer.visible = false;
    // The window's border lies over the whole window: it is drawn, but
    // presses go to the bars and the view beneath it.
    app.border.enabled = false;
    // CONTENTPANE holds only read-outs over the view (statistics, frame
    // rate): presses and the wheel go through to the view.
    app.content_pane.enabled = false;
}

// The panes the modal dispatch and the start-up sequence show and hide.
void register_pane_widgets(Application& app)
{
    const std::pair<ModalState, lumo::P*> panes[] = {
        {MODAL_RUN, &app.run_pane.dialog.pane},
        {MODAL_PARSE, &app.parse_pane.pane},
        {MODAL_CAPTURE, &app.capture_pane.dialog.pane},
        {MODAL_SCREENSHOT, &app.screenshot_pane.dialog.pane},
        {MODAL_PROFILE, &app.profile_pane.dialog.pane},
        {MODAL_DIRECTIVE, &app.directive_pane.pane},
        {MODAL_EXPORT, &app.export_pane_widgets.dialog.pane},
        {MODAL_WARNING, &app.warning_pane.pane},
        {MODAL_ERROR, &app.error_pane.pane},
        {MODAL_INFO, &app.info_pane.pane},
        {MODAL_ABOUT, &app.about_pane.pane},
        {MODAL_HELP, &app.help_pane.pane},
        {MODAL_OPENING, &app.open_pane},
        {MODAL_NAVIGATOR, &app.navigator_pane.pane},
    };
    for (const auto& [state, widget] : panes)
        app.modal_pane_widgets[static_cast<std::size_t>(state)] = widget;
    app.navigator_list_pane = &app.navigator_rows.list;
    app.navigator_mask = &app.navigator_dimmer;
    app.configuration_pane = &app.configuration_pane_widgets.pane;
    app.configuration_box = &app.configuration_pane_widgets.box;
    app.startup_label = &app.startup.label;
}

void write_startup_console_lines(Application& app)
{
    if (app.current_console == nullptr) return;
    append_console_line(*app.current_console, " ", "");
    const std::int64_t elapsed = g_program_start_ms >= 0 ? now_ms() - g_program_start_ms : 0;
    append_console_line(*app.current_console,
                        "Initialisation-Time : " + std::to_string(elapsed) + " ms", "");
}

void measure_console_font()
{
    const lumo::FontHandle& font = lumo::g_font_handles[lumo::kFontSmall];
    g_char_widths.assign(std::begin(font.widths), std::end(font.widths));
    g_default_line_height = font.glyph_height;
}

} // namespace

void build_application_ui(Application& app)
{
    if (app.current_environment == nullptr) add_first_environment(app);
    apply_theme_colours(app, app.view_settings.theme_index);
    build_bars(app);
    build_floating_controls(app);
    build_strip_contents(app);
    build_side_panels(app);
    build_modal_panes(app);
    build_startup_widgets(app);
    build_tree(app);
    rebuild_environment_tabs(app);

    register_pane_widgets(app);
    install_layout_callbacks(app);
    install_action_callbacks(app);
    // The run pane and the option buttons show the start values before
    // anything is pressed, the configuration box the command line's settings.
    select_execution_mode(app, app.view_settings.execution_mode);
    mirror_option_widgets(app);
    show_held_settings(app);
    measure_console_font();
    write_startup_console_lines(app);
    app.startup_variant = choose_startup_variant();
    app.root.width = app.window_width;
    app.root.height = app.window_height;
}

std::vector<std::pair<std::string, lumo::P*>> named_widgets(Application& app)
{
    return {
        {"TOOLBAR", &app.toolbar.bar},
        {"TIPBAR", &app.tip_bar.bar},
        {"CONTROLPANE", &app.control_pane},
        {"CONTENTPANE", &app.content_pane},
        {"MENUBAR", &app.settings_bar},
        {"STATUSBAR", &app.status_bar.bar},
        {"TABBAR", &app.tab_bar.bar},
        {"SLIDERBAR", &app.slider_bar},
        {"COLOURBAR", &app.colour_bar.bar},
        {"MENUNPANE", &app.settings_menu_pane},
        {"HINTBAR", &app.hint_bar.bar},
        {"HIDELOGO", &app.hide_logo},
        {"LOCKICON", &app.lock_icon},
        {"NORENDER", &app.no_render},
        {"MASKPANE", &app.mask_pane},
        {"OVERLAY", &app.overlay},
        {"BORDER", &app.border},
        {"TOOLSCROLL", &app.toolbar.scroll},
        {"TIPSCROLL", &app.tip_bar.scroll},
        {"MENUSCROLL", &app.menu_bar.scroll},
        {"STATSCROLL", &app.status_bar.scroll},
        {"TABSCROLL", &app.tab_bar.scroll},
        {"SLIDERSCROLL", &app.slider_bar_parts.scroll},
        {"COLOURSCROLL", &app.colour_bar.scroll},
        {"CONSOLETRACE", &app.side_panels[0]},
        {"ENTITYINSPECTOR", &app.side_panels[1]},
        {"PARAMETERCONTROL", &app.side_panels[2]},
        {"RUNPANE", &app.run_pane.dialog.pane},
        {"PARSEPANE", &app.parse_pane.pane},
        {"CAPTUREPANE", &app.capture_pane.dialog.pane},
        {"SCREENSHOTPANE", &app.screenshot_pane.dialog.pane},
        {"PROFILEPANE", &app.profile_pane.dialog.pane},
        {"DIRECTIVEPANE", &app.directive_pane.pane},
        {"EXPORTPANE", &app.export_pane_widgets.dialog.pane},
        {"ABOUTPANE", &app.about_pane.pane},
        {"HELPPANE", &app.help_pane.pane},
        {"INFOPANE", &app.info_pane.pane},
        {"ERRORPANE", &app.error_pane.pane},
        {"WARNINGPANE", &app.warning_pane.pane},
        {"CONFIRMPANE", &app.confirm_pane.pane},
        {"OPENPANE", &app.open_pane},
        {"LOADPANE", &app.load_pane},
        {"FILEPANE", &app.navigator_pane.pane},
    };
}
