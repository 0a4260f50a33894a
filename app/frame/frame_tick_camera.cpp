#include "app/frame/frame_tick_camera.h"

#include <algorithm>
#include <cctype>

#include "state/application.h"
#include "render/camera_motion.h"
#include "shell/camera_control.h"

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

std::int32_t pop_wheel_queue(CameraMotionState& state)
{
    if (state.wheel_queue == 0) return 0;
    const std::int32_t step = state.wheel_queue > 0 ? 1 : -1;
    state.wheel_queue -= step;
    return step;
}

using MoveFn = void (*)(CameraSettings&, double);
// In CameraMove order.
constexpr std::array<MoveFn, 6> ROAM_MOVES{move_camera_left,  move_camera_forward,
                                           move_camera_right, move_camera_backward,
                                           move_camera_up,    move_camera_down};

// Object-orbit zooms by the wheel; the other controllers walk.
void apply_wheel_step(Application& app, const CameraMotion& motion)
{
    if (app.camera_mode == CAMERA_OBJECT_ORBIT) {
        if (motion.wheel_step > 0)
            zoom_in_step(app);
        else
            zoom_out_step(app);
    } else if (motion.wheel_step > 0) {
        move_camera_forward(app.camera, motion.step);
    } else {
        move_camera_backward(app.camera, motion.step);
    }
}

// A free-roam pan in progress is measured from a base that follows the
// eye's key motion, so walking while panning does not snap back.
void follow_pan_base(Application& app, const std::array<double, 3>& eye_before)
{
    ViewDrag& drag = app.view_drag;
    if (app.camera_mode != CAMERA_FREE_ROAM || !drag.active || !drag.pan) return;
    for (std::size_t i = 0; i < 3; ++i)
        drag.start_camera.eye[i] += app.camera.eye[i] - eye_before[i];
}

} // namespace

CameraMotion plan_camera_motion(Application& app, std::int64_t now_ms)
{
    CameraMotionState& state = app.camera_motion;
    CameraMotion motion;
    motion.step = static_cast<double>(now_ms - state.last_tick_ms) * 0.5 / 10.0;
    const bool dragging = app.view_drag.active != 0;
    if (app.camera_mode == CAMERA_OBJECT_ORBIT)
        plan_orbit_keys(app.held_keys, dragging, motion);
    else if (app.camera_mode == CAMERA_FREE_ROAM || app.camera_mode == CAMERA_FIRST_PERSON)
        plan_roam_keys(app.held_keys, motion);
    motion.wheel_step = pop_wheel_queue(state);
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

bool run_camera_motion(Application& app, std::int64_t now_ms)
{
    const CameraMotion motion = plan_camera_motion(app, now_ms);
    CameraSettings& camera = app.camera;
    const std::array<double, 3> eye_before{camera.eye[0], camera.eye[1], camera.eye[2]};
    bool changed = false;
    for (std::size_t i = 0; i < ROAM_MOVES.size(); ++i) {
        if (motion.moves[i] == 0) continue;
        ROAM_MOVES[i](camera, motion.step);
        changed = true;
    }
    if (motion.zoom_in) changed = zoom_in_step(app);
    if (motion.zoom_out) changed = zoom_out_step(app);
    if (motion.wheel_step != 0) {
        apply_wheel_step(app, motion);
        changed = true;
    }
    follow_pan_base(app, eye_before);
    if (motion.synthetic_drag) {
        begin_view_drag(app, 0, 0, 2);
        update_view_drag(app, motion.synthetic_drag_to[0], motion.synthetic_drag_to[1], 3);
    }
    if (app.view_drag.active && app.view_drag.result_pending) {
        apply_drag_result(app);
        app.view_drag.result_pending = 0;
        changed = true;
        // A drag the mouse began goes on; the tick's own drag ends with it.
        if (motion.synthetic_drag) end_view_drag(app);
    }
    push_camera_to_viewport(app);
    return changed;
}
