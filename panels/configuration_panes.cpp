#include "panels/configuration_panes.h"

#include "state/application.h"
#include "platform/kernel_config.h"

namespace {

std::string shown_path(const std::string& path)
{
    return path.empty() ? "???" : path;
}

} // namespace

void apply_kernel_path(Application& app, const std::string& path)
{
    set_kernel_path(path);
    show_held_settings(app);
}

void apply_workspace_path(Application& app, const std::string& directory)
{
    set_workspace_path(directory);
    show_held_settings(app);
}

void show_held_settings(Application& app)
{
    ConfigurationPane& pane = app.configuration;
    pane.kernel_path = shown_path(get_kernel_path());
    pane.kernel_state = get_kernel_path_state_name();
    pane.workspace_path = shown_path(get_workspace_path());
    pane.workspace_state = get_workspace_state_name();
    pane.status = setup_is_valid() ? "OK" : "!";
}

void set_export_location(Application& app, const std::string& location)
{
    const std::string directory = with_trailing_separator(location);
    app.view_settings.export_location = directory;
    app.export_location_field.set_label_field(directory);
    app.export_pane.location_hint_visible = directory.empty() ? 1 : 0;
}

std::string with_trailing_separator(std::string path)
{
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}
