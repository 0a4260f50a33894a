#include "app/frame/frame_tick_camera.h"

#include <algorithm>
#include <cctype>

#include "app/state/application.h"

namespace {

// Keys move four times as far in drag units as the camera moves per unit.
constexpr double DRAG_UNITS_PER_STEP = 4.0;
// The synthetic drag's offsets are in units of a 720-pixel window.
constexpr double DRAG_REFERENCE_SIZE = 720.0;

bool held(const HeldKeys& keys, char letter)
{
    const auto lower = static_cast<unsigned char>(std::tolower(letter));
    const auto upper = static_cast<unsigned char>(std::toupper(letter));
    return keys.keys[lower] != 0 || keys.keys[upper] != 0;
}

void plan_roam_keys(const HeldKeys& keys, CameraMotion& motion)
{
    constexpr std::array<char, 6> letters{'a', 'w', 'd', 's', 'q', 'e'};
    for (std::size_t i = 0; i < letters.size(); ++i)
        motion.moves[i] = held(keys, letters[i]) ? 1 : 0;
}

void plan_orbit_keys(const HeldKeys& keys, bool dragging, CameraMotion& motion)
{
    motion.zoom_in = held(keys, 'w') ? 1 : 0;
    motion.zoom_out = held(keys, 's') ? 1 : 0;
    if (dragging) return;
    const double offset = motion.step * DRAG_UNITS_PER_STEP;
    if (held(keys, 'd')) motion.dx = offset;
    if (held(keys, 'a')) motion.dx -= offset;
    if (held(keys, 'q')) motion.dy = offset;
    if (held(keys, 'e')) motion.dy -= offset;
}

void plan_arrows(const HeldKeys& keys, CameraMotion& motion)
{
    const double offset = motion.step * DRAG_UNITS_PER_STEP;
    if (keys.arrows[ARROW_LEFT]) motion.dx -= offset;
    if (keys.arrows[ARROW_UP]) motion.dy -= offset;
    if (keys.arrows[ARROW_RIGHT]) motion.dx += offset;
    if (keys.arrows[ARROW_DOWN]) motion.dy += offset;
}

std::int32_t take_wheel_step(CameraMotionState& state)
{
    if (state.wheel_queue == 0) return 0;
    const std::int32_t step = state.wheel_queue > 0 ? 1 : -1;
    state.wheel_queue -= step;
    return step;
}

} // namespace

CameraMotion plan_camera_motion(Application& app, std::int64_t now_ms)
{
    CameraMotionState& state = app.camera_motion;
    CameraMotion motion;
    motion.step = static_cast<double>(now_ms - state.last_tick_ms) * 0.5 / 10.0;
    const bool dragging = state.drag_active != 0;
    if (app.camera_mode == CAMERA_OBJECT_ORBIT)
        plan_orbit_keys(app.held_keys, dragging, motion);
    else if (app.camera_mode == CAMERA_FREE_ROAM || app.camera_mode == CAMERA_FIRST_PERSON)
        plan_roam_keys(app.held_keys, motion);
    motion.wheel_step = take_wheel_step(state);
    if (dragging) return motion;
    plan_arrows(app.held_keys, motion);
    if (motion.dx == 0.0 && motion.dy == 0.0) return motion;
    const double longer = std::max(app.window_width, app.window_height);
    motion.synthetic_drag = 1;
    motion.synthetic_drag_to = {
        static_cast<std::int32_t>(motion.dx / DRAG_REFERENCE_SIZE * longer),
        static_cast<std::int32_t>(motion.dy / DRAG_REFERENCE_SIZE * longer)};
    return motion;
}

bool moves_camera(const CameraMotion& motion)
{
    return motion.wheel_step != 0 ||
           std::any_of(motion.moves.begin(), motion.moves.end(), [](auto m) { return m != 0; });
}

bool apply_drag_result(Application& app, bool synthetic_drag)
{
    CameraMotionState& state = app.camera_motion;
    if (!state.drag_active || !state.drag_result_pending) return false;
    if (app.camera_mode == CAMERA_OBJECT_ORBIT) {
        app.view_settings.euler_degrees[0] = state.drag_result[0];
        app.view_settings.euler_degrees[1] = state.drag_result[1];
    }
    state.drag_result_pending = 0;
    // A drag the mouse began goes on; the tick's own drag ends with it.
    if (synthetic_drag) state.drag_active = 0;
    return true;
}
