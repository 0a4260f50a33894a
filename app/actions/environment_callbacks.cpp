#include "app/actions/environment_callbacks.h"

#include "app/commands/environment_lifecycle.h"
#include "state/application.h"
#include "shell/confirm_pane.h"

bool on_new_environment_click()
{
    if (g_app != nullptr && g_app->fade.active == 0) notify_ui_change(*g_app);
    return true;
}

template <int Option> bool on_confirm_option_click()
{
    if (g_app != nullptr) set_confirm_option(*g_app, Option);
    return true;
}

template bool on_confirm_option_click<0>();
template bool on_confirm_option_click<1>();
template bool on_confirm_option_click<2>();

bool on_confirm_cancel_click()
{
    if (g_app != nullptr) cancel_confirm_dialog(*g_app);
    return true;
}

bool on_confirm_accept_click()
{
    // A second click that arrives after the pane closed accepts nothing.
    if (g_app != nullptr && g_app->modal[MODAL_CONFIRM]) accept_confirm_dialog(*g_app);
    return true;
}
