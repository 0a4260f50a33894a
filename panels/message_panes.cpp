#include "panels/message_panes.h"

#include "state/application.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

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
