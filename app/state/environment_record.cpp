#include "app/state/environment_record.h"

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
    return PaneView{0.0, 0.0,  10.0, 0.0, 0.0, 0.0,  -1.0, 1.0, 3.0,  0.0,  0.0,
                    0.0, -1.0, 1.75, 3.0, 0.0, 0.75, 0.0,  4.0, 30.0, 30.0, 0.0};
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
