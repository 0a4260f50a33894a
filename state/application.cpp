#include "state/application.h"

Application* g_app = nullptr;

namespace {

const std::array<std::string, 5> k_builtin_scripts{
    "e = mcube.gty.zy.flx(5,2).fl(2,1,0,1).flz(5,2).c; ret = e.rgb(0.75) + e.duo.rgb(0.25).ix; "
    "return ret.ty(-0.0001);",
    "a = cylinder(0.025,1,32).zy + cone(0.05625,0.125,32).zy.ty(1); b = "
    "bcube(0.075,0.005625).rgb(0.25) + sphere(0.08625).rgb(1,0.75,0); return b + "
    "a.duo.rgb(0.25,0.75,0) + a.duo.rzN90.rgb(0.75,0.25,0) + a.duo.rxN90.rgb(0,0.5,1.0);",
    "t = torus(0.5,0.005,64,4); ret = t.duo.rgb(0.25,0.75,0) + t.duo.rx90.rgb(0,0.5,1) + "
    "t.duo.rz90.rgb(0.75,0.25,0); return ret.s(2);",
    "return cube.rgba(0.25,0.5,1,0.25);",
    "r = rcube(5,5,0.5,0.25,8); a = cylinder(1.75,1,64) - cylinder(1.25,1,64); a.rx90; d = "
    "rcube(0.5,2,1,0.25,8).rz(45).txy(1.0,-1.0); ret = r - a - d; return ret.s(0.2);",
};

void release_mesh(Mesh*& mesh)
{
    if (mesh == nullptr) return;
    free_mesh_buffers(*mesh);
    delete_mesh(mesh, 1);
    mesh = nullptr;
}

} // namespace

Application::Application()
{
    builtin_scripts = k_builtin_scripts;
    for (int i = 0; i < COLOUR_FUNCTION_COUNT; ++i)
        colour_function_ids[i] = FIRST_COLOUR_FUNCTION + i;
    init_view_settings(camera);
    saved_cameras = make_default_view_state().camera_sets;
    for (int i = 0; i < TOOL_MENU_COUNT; ++i)
        tool_menus[i].row_count = TOOL_MENU_ROW_COUNTS[i];
    for (int i = 0; i < SETTINGS_MENU_COUNT; ++i)
        settings_menus[i].row_count = SETTINGS_MENU_ROW_COUNTS[i];
}

// Entities do not own their meshes, so the meshes still held at exit are
// released here; the GL names queued for deletion are dropped with the
// context already gone.
Application::~Application()
{
    for (EnvironmentRecord& record : environment_store.records)
        release_entity_meshes(record.entities);
    if (builtin_entity.mesh == builtin_mesh) builtin_mesh = nullptr;
    release_entity_resources(builtin_entity);
    release_mesh(builtin_mesh);
    for (Mesh*& mesh : builtin_gizmo_meshes)
        release_mesh(mesh);
    destroy_environment_store(environment_store);
}

Application& create_application()
{
    if (g_app == nullptr) g_app = new Application();
    return *g_app;
}

void destroy_application()
{
    delete g_app;
    g_app = nullptr;
}

std::string query_local_time_text(const Application& app)
{
    return app.platform.time_text != nullptr ? app.platform.time_text() : std::string();
}

std::string query_local_datetime_text(const Application& app)
{
    return app.platform.datetime_text != nullptr ? app.platform.datetime_text() : std::string();
}
