#include "shell/modal_panes.h"

#include "shell/confirm_pane.h"
#include "shell/refresh.h"
#include "shell/themes.h"

namespace {

void set_widget_visible(lumo::P* widget, bool visible)
{
    if (widget != nullptr) widget->visible = visible;
}

void set_pane_visible(Application& app, ModalState state, bool visible)
{
    set_widget_visible(modal_pane_widget(app, state), visible);
}

MessagePane& message_pane(Application& app, ModalState state)
{
    MessagePanes& panes = app.message_panes;
    if (state == MODAL_ERROR) return panes.error;
    if (state == MODAL_WARNING) return panes.warning;
    return panes.info;
}

void open_message_pane(Application& app, ModalState state, const std::string& title,
                       const std::string& text)
{
    MessagePane& pane = message_pane(app, state);
    pane.title = title;
    pane.text = text;
    pane.visible = 1;
    app.modal[state] = 1;
    set_pane_visible(app, state, true);
    set_modal_masks(app, true);
    refresh_root(app);
}

// Closing never clears the masks outright: a pane closed over another open
// one (the navigator, an export) leaves that one dimmed-in and usable.
void close_pane(Application& app, ModalState state)
{
    app.modal[state] = 0;
    if (state == MODAL_INFO || state == MODAL_ERROR || state == MODAL_WARNING)
        message_pane(app, state).visible = 0;
    if (state == MODAL_PARSE) app.parse_result.visible = 0;
    if (state == MODAL_DIRECTIVE) app.message_panes.directive.visible = 0;
    set_pane_visible(app, state, false);
    set_modal_masks(app, is_any_modal_open(app));
    refresh_root(app);
}

void toggle_pane(Application& app, ModalState state)
{
    const bool open = app.modal[state] == 0;
    app.modal[state] = open ? 1 : 0;
    set_pane_visible(app, state, open);
    set_modal_masks(app, open || is_any_modal_open(app));
    refresh_root(app);
}

// Before start-up has finished the configuration pane is what the navigator
// and the warnings were opened from. They come back only once the navigator
// has closed: a choice it turns down leaves it open under its warning.
void reopen_callers_of_navigator(Application& app)
{
    if (!app.startup_finished) set_widget_visible(app.configuration_pane, true);
    if (app.modal[MODAL_EXPORT]) set_pane_visible(app, MODAL_EXPORT, true);
}

constexpr ModalState PLAIN_PANES[] = {MODAL_RUN,        MODAL_PARSE,   MODAL_CAPTURE,
                                      MODAL_SCREENSHOT, MODAL_PROFILE, MODAL_DIRECTIVE};

} // namespace

lumo::P* modal_pane_widget(Application& app, ModalState state)
{
    if (state == MODAL_CONFIRM) return &app.confirm_pane.pane;
    if (state == MODAL_BUSY) return &app.load_pane;
    return app.modal_pane_widgets[static_cast<std::size_t>(state)];
}

void show_info_pane(Application& app, const std::string& title, const std::string& text)
{
    open_message_pane(app, MODAL_INFO, title, text);
}

void show_error_pane(Application& app, const std::string& title, const std::string& text)
{
    open_message_pane(app, MODAL_ERROR, title, text);
}

void show_warning_pane(Application& app, const std::string& title, const std::string& text)
{
    if (app.modal[MODAL_NAVIGATOR]) set_widget_visible(app.navigator_mask, true);
    open_message_pane(app, MODAL_WARNING, title, text);
}

void hide_warning_pane(Application& app)
{
    set_widget_visible(app.navigator_mask, false);
    close_pane(app, MODAL_WARNING);
}

void close_modal_state(Application& app)
{
    const auto& modal = app.modal;
    if (modal[MODAL_CONFIRM]) {
        cancel_confirm_dialog(app);
        return;
    }
    for (ModalState state : {MODAL_INFO, MODAL_ERROR}) {
        if (modal[state]) {
            close_pane(app, state);
            return;
        }
    }
    if (modal[MODAL_WARNING]) {
        if (!modal[MODAL_NAVIGATOR] && !app.startup_finished)
            set_widget_visible(app.configuration_pane, true);
        hide_warning_pane(app);
        return;
    }
    for (ModalState state : PLAIN_PANES) {
        if (modal[state]) {
            close_pane(app, state);
            return;
        }
    }
    if (modal[MODAL_EXPORT] && !modal[MODAL_NAVIGATOR]) {
        close_pane(app, MODAL_EXPORT);
    } else if (modal[MODAL_ABOUT]) {
        toggle_about_pane(app);
    } else if (modal[MODAL_HELP]) {
        toggle_help_pane(app);
    } else if (modal[MODAL_NAVIGATOR]) {
        set_navigator_visible(app, false);
    }
}

EnterFollowUp confirm_modal_state(Application& app)
{
    const auto& modal = app.modal;
    if (modal[MODAL_CONFIRM]) {
        accept_confirm_dialog(app);
        return EnterFollowUp::NONE;
    }
    if (modal[MODAL_RUN] || modal[MODAL_PARSE]) {
        close_modal_state(app);
        return EnterFollowUp::ASSEMBLE;
    }
    if (modal[MODAL_CAPTURE]) return EnterFollowUp::SAVE_ENVIRONMENT_IMAGE;
    if (modal[MODAL_SCREENSHOT]) return EnterFollowUp::SAVE_SCREENSHOT;
    if (modal[MODAL_PROFILE] || modal[MODAL_DIRECTIVE]) return EnterFollowUp::NONE;
    if (modal[MODAL_NAVIGATOR]) return EnterFollowUp::CONFIRM_NAVIGATOR;
    if (modal[MODAL_EXPORT]) return EnterFollowUp::CONFIRM_EXPORT;
    return app.startup_finished ? EnterFollowUp::NONE : EnterFollowUp::APPLY_ENTITY_WORKSPACE;
}

void set_navigator_visible(Application& app, bool visible)
{
    if (!visible && app.modal[MODAL_NAVIGATOR]) reopen_callers_of_navigator(app);
    app.modal[MODAL_NAVIGATOR] = visible ? 1 : 0;
    set_widget_visible(app.navigator_list_pane, visible);
    set_pane_visible(app, MODAL_NAVIGATOR, visible);
    set_modal_masks(app, visible || is_any_modal_open(app));
    refresh_root(app);
}

void show_opening_pane(Application& app)
{
    app.modal[MODAL_OPENING] = 1;
    set_pane_visible(app, MODAL_OPENING, true);
    set_modal_masks(app, true);
    refresh_root(app);
}

void hide_opening_pane(Application& app)
{
    app.modal[MODAL_OPENING] = 0;
    set_pane_visible(app, MODAL_OPENING, false);
    set_modal_masks(app, is_any_modal_open(app));
    refresh_root(app);
}

void set_opening_busy_style(Application& app, bool busy)
{
    lumo::P& pane = app.open_pane;
    const FillStyle* dim = busy ? &g_active_fill_styles[STYLE_MASK] : nullptr;
    pane.fill = busy;
    pane.fill_style = dim;
    pane.hover_style = dim;
    const int width = busy ? app.layout.thin_border : 0;
    const std::pair<lumo::Border*, int> borders[] = {{&pane.border_left, STYLE_BORDER_LEFT},
                                                     {&pane.border_top, STYLE_BORDER_TOP},
                                                     {&pane.border_right, STYLE_BORDER_RIGHT},
                                                     {&pane.border_bottom, STYLE_BORDER_BOTTOM}};
    for (const auto& [border, slot] : borders) {
        border->width = width;
        border->style = busy ? &g_active_fill_styles[static_cast<std::size_t>(slot)] : nullptr;
    }
}

void toggle_about_pane(Application& app)
{
    toggle_pane(app, MODAL_ABOUT);
}

void toggle_help_pane(Application& app)
{
    toggle_pane(app, MODAL_HELP);
}
