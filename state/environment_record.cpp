#include "state/environment_record.h"

#include <algorithm>
#include <array>

std::atomic<std::uint32_t> g_next_environment_id{0};

ViewState make_default_view_state()
{
    const double orbit_eye[3] = {0.0, 0.0, 10.0};
    const double free_eye[3] = {-1.0, 1.0, 3.0};
    const double person_eye[3] = {-1.0, 1.75, 3.0};
    const double origin[3] = {0.0, 0.0, 0.0};
    const double person_target[3] = {0.0, 0.75, 0.0};
    return ViewState{{make_camera_set(orbit_eye, origin), make_camera_set(free_eye, origin),
                      make_camera_set(person_eye, person_target)}};
}

PaneView make_default_pane_view()
{
    // Eye and target of the object-orbit, free-roam and first-person modes.
    const std::array<std::array<double, 6>, lumo::kViewRecordModes> eye_target{{
        {0.0, 0.0, 10.0, 0.0, 0.0, 0.0},
        {-1.0, 1.0, 3.0, 0.0, 0.0, 0.0},
        {-1.0, 1.75, 3.0, 0.0, 0.75, 0.0},
    }};
    PaneView view{};
    for (int mode = 0; mode < lumo::kViewRecordModes; ++mode) {
        const auto& pair = eye_target[static_cast<std::size_t>(mode)];
        std::copy_n(pair.begin(), 3, lumo::view_eye(view, mode).begin());
        std::copy_n(pair.begin() + 3, 3, lumo::view_target(view, mode).begin());
    }
    lumo::view_zoom(view) = 4.0;
    const double angles[3] = {30.0, 30.0, 0.0};
    std::copy_n(angles, 3, lumo::view_angles(view).begin());
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
