#include "panels/message_panes.h"

#include "app/state/application.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

void open_pane(Application& app, MessagePane& pane, ModalState state, const std::string& title,
               const std::string& text)
{
    pane.title = title;
    pane.text = text;
    pane.visible = 1;
    app.modal[state] = 1;
    set_modal_masks(app, true);
    refresh_root(app);
}

} // namespace

void show_error_pane(Application& app, const std::string& title, const std::string& text)
{
    open_pane(app, app.message_panes.error, MODAL_ERROR, title, text);
}

void show_warning_pane(Application& app, const std::string& title, const std::string& text)
{
    open_pane(app, app.message_panes.warning, MODAL_WARNING, title, text);
}

void show_info_pane(Application& app, const std::string& title, const std::string& text)
{
    open_pane(app, app.message_panes.info, MODAL_INFO, title, text);
}

void toggle_directive_pane(Application& app, const std::string& title, const std::string& text,
                           std::int32_t title_icon)
{
    MessagePane& pane = app.message_panes.directive;
    pane.title = title;
    pane.text = text;
    pane.title_icon = title_icon;
    pane.visible = pane.visible == 0 ? 1 : 0;
    app.modal[MODAL_DIRECTIVE] = pane.visible;
    set_modal_masks(app, is_any_modal_open(app));
    refresh_root(app);
}
