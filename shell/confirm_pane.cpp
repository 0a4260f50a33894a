#include "shell/confirm_pane.h"

#include <algorithm>

#include "lumo/font.h"
#include "shell/refresh.h"

namespace {

void hide_confirm_pane(Application& app)
{
    app.modal[MODAL_CONFIRM] = 0;
    app.confirm.option_visible = 0;
    app.confirm_pane.pane.visible = false;
    app.confirm_pane.option_row.visible = false;
}

} // namespace

bool is_any_modal_open(const Application& app)
{
    return std::any_of(app.modal.begin(), app.modal.end(), [](std::uint8_t m) { return m != 0; });
}

void set_modal_masks(Application& app, bool visible)
{
    app.mask_pane.visible = visible;
    app.overlay.visible = visible;
}

void show_confirm_dialog(Application& app, const std::string& title, const std::string& text,
                         std::uint32_t icon, ApplicationAction cancel_action,
                         ApplicationAction accept_action)
{
    ConfirmPaneModel& confirm = app.confirm;
    confirm.title = title;
    confirm.text = text;
    confirm.texts = {title, text};
    confirm.icon = icon;
    confirm.cancel_action = cancel_action;
    confirm.accept_action = accept_action;
    app.modal[MODAL_CONFIRM] = 1;
    app.confirm_pane.title.set_label(title);
    app.confirm_pane.text.set_label(text);
    app.confirm_pane.icon.icon = static_cast<int>(icon);
    app.confirm_pane.pane.visible = true;
    set_modal_masks(app, true);
    refresh_root(app);
}

void set_confirm_option(Application& app, std::int32_t option)
{
    ConfirmPaneModel& confirm = app.confirm;
    // Without a target the option would show a mode nothing uses.
    if (option < 0 || option > 2 || confirm.option_target == nullptr) return;
    *confirm.option_target = option;
    app.confirm_pane.option_label.set_label(
        confirm.option_labels[static_cast<std::size_t>(option)]);
    for (std::int32_t i = 0; i < 3; ++i) {
        lumo::P& button = app.confirm_pane.option_buttons[static_cast<std::size_t>(i)];
        button.selected = i == option;
        button.font = i == option ? lumo::kFontBold : lumo::kFontRegular;
    }
    refresh_root(app);
}

void accept_confirm_dialog(Application& app)
{
    app.deferred_countdown = DEFERRED_FRAMES;
    app.deferred[DEFERRED_CONFIRMED_ACTION] = 1;
    app.confirm.confirmed_action_pending = 1;
    hide_confirm_pane(app);
    app.modal[MODAL_BUSY] = 1;
    app.load_pane.visible = true;
    refresh_root(app);
}

void cancel_confirm_dialog(Application& app)
{
    hide_confirm_pane(app);
    set_modal_masks(app, is_any_modal_open(app));
    if (app.confirm.cancel_action != nullptr) app.confirm.cancel_action(app);
    refresh_root(app);
}

void run_confirmed_action(Application& app)
{
    app.confirm.confirmed_action_pending = 0;
    if (app.confirm.accept_action != nullptr) app.confirm.accept_action(app);
    app.modal[MODAL_BUSY] = 0;
    set_modal_masks(app, is_any_modal_open(app));
    app.load_pane.visible = false;
    refresh_root(app);
}
