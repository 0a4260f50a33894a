#include "state/environment_record.h"

#include <algorithm>
#include <array>

#include "render/camera.h"

std::atomic<std::uint32_t> g_next_environment_id{0};

// The three controllers' saved poses, zoom and angles of a fresh camera.
ViewState make_default_view_state()
{
    const CameraState camera = make_camera_state();
    ViewState state;
    std::copy_n(camera.saved, state.camera_sets.size(), state.camera_sets.begin());
    return state;
}

PaneView make_default_pane_view()
{
    const CameraState camera = make_camera_state();
    PaneView view{};
    for (int mode = 0; mode < lumo::kViewRecordModes; ++mode) {
        const CameraSet& set = camera.saved[mode];
        std::copy_n(set.eye, 3, lumo::view_eye(view, mode).begin());
        std::copy_n(set.target, 3, lumo::view_target(view, mode).begin());
    }
    lumo::view_zoom(view) = camera.zoom;
    std::copy_n(camera.euler_degrees, 3, lumo::view_angles(view).begin());
    return view;
}

void environment_names(EnvironmentRecord& record)
{
    const std::string number = std::to_string(record.id);
    record.name = "env" + number;
    record.menu_entry = {"environment_" + number,
                         "(select to switch to environment " + number + ")"};
}

EnvironmentRecord construct_environment_record()
{
    EnvironmentRecord record;
    record.id = g_next_environment_id++;
    record.console = construct_console_state();
    record.view = make_default_view_state();
    environment_names(record);
    return record;
}
