#include "shell/refresh.h"

#include "state/application.h"
#include "shell/pane_contents.h"

void refresh_interface(Application& app)
{
    app.redraw_requested = 1;
    refresh_root(app);
}

void refresh_root(Application& app)
{
    sync_pane_widgets(app);
    app.root.refresh();
}

void request_paint(Application& app)
{
    if (app.platform.request_repaint != nullptr) app.platform.request_repaint();
}
