#pragma once

// The frame tick's camera step: held keys, one wheel step and the arrow keys
// become one camera motion, sized by the time since the previous step so the
// speed does not depend on the frame rate, and the motion is carried out.

#include <array>
#include <cstdint>

struct Application;

enum CameraMove : int {
    MOVE_LEFT = 0,
    MOVE_FORWARD,
    MOVE_RIGHT,
    MOVE_BACKWARD,
    MOVE_UP,
    MOVE_DOWN
};

struct CameraMotion {
    double step = 0.0;                   // one unit per 20 ms
    std::array<std::uint8_t, 6> moves{}; // free-roam and first-person, in CameraMove order
    std::uint8_t zoom_in = 0;            // object-orbit: w, then s
    std::uint8_t zoom_out = 0;
    std::int32_t wheel_step = 0; // +1 or -1: the wheel queue step taken this tick
    double dx = 0.0;             // orbit keys and arrows, in drag units
    double dy = 0.0;
    // A drag from pixel (0, 0) to these, begun and ended within the tick.
    std::array<std::int32_t, 2> synthetic_drag_to{};
    std::uint8_t synthetic_drag = 0;
};

// Sizes the motion by the time since the last camera tick and takes one
// step off the wheel queue.
CameraMotion plan_camera_motion(Application& app, std::int64_t now_ms);
// Plans and carries out one camera step: moves, zooms, the wheel step, the
// synthetic drag of the orbit keys and arrows and a pending drag result;
// then pushes the camera to the 3-D view. True when the view changed.
bool run_camera_motion(Application& app, std::int64_t now_ms);
