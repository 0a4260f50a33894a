#include "shell/fade.h"

#include "shell/refresh.h"

namespace {

constexpr std::int32_t HOLD_TICKS = 8;
// The action runs on this held tick, with the overlay fully opaque.
constexpr std::int32_t ACTION_TICK = 5;

void end_fade(Application& app)
{
    FadeState& fade = app.fade;
    fade.direction = 1;
    fade.hold_ticks = 0;
    fade.completion_action = nullptr;
    fade.active = 0;
    fade.opacity = 0.0;
    app.startup_pane.visible = false;
}

} // namespace

void start_fade(Application& app, ApplicationAction completion_action)
{
    if (app.fade.active) return;
    app.fade.active = 1;
    app.fade.completion_action = completion_action;
    app.startup_logo.opacity = 1.0;
    app.startup_logo.visible = true;
    app.startup_pane.opacity = 0.0;
    app.startup_pane.visible = true;
}

void advance_fade(Application& app)
{
    FadeState& fade = app.fade;
    if (!fade.active) return;
    if (fade.direction >= 1) {
        fade.opacity += fade.step;
        if (fade.opacity >= 1.0) {
            fade.direction = -1;
            fade.opacity = 1.0;
        }
    } else if (fade.hold_ticks < HOLD_TICKS) {
        ++fade.hold_ticks;
        if (fade.hold_ticks == ACTION_TICK && fade.completion_action != nullptr)
            fade.completion_action(app);
    } else {
        fade.opacity -= fade.step;
        if (fade.opacity <= 0.0) end_fade(app);
    }
    app.startup_pane.opacity = fade.opacity;
    refresh_root(app);
}
