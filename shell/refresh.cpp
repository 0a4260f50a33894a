#include "shell/refresh.h"

#include "app/state/application.h"

void refresh_interface(Application& app)
{
    app.redraw_requested = 1;
    refresh_root(app);
}

void refresh_root(Application& app)
{
    app.root.refresh();
}
