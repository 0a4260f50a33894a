#include "panels/configuration_panes.h"

#include "state/application.h"
#include "panels/file_navigator.h"
#include "platform/kernel_config.h"
#include "shell/refresh.h"

namespace {

struct NavigatorTexts {
    const char* title;
    const char* hint;
    const char* ok_label;
};

const NavigatorTexts k_kernel_texts{"Setting Kernel Executable \nPath : ",
                                    "\t (select an executable file named 'plim')\n", "Select"};
const NavigatorTexts k_workspace_texts{
    "Setting Entity Workspace \nPath : ",
    "\t (select a working directory for interop staging and mesh marshaling)\n", "Select"};
const NavigatorTexts k_export_location_texts{
    "Setting Export Location \nPath : ",
    "\t (select an output directory for environment mesh export)\n", "Select"};
const NavigatorTexts k_script_texts{"Opening Script File \nPath : ", "\t (select a file to open)\n",
                                    "Open"};

void open_navigator(Application& app, std::int32_t mode, const std::string& directory,
                    const NavigatorTexts& texts)
{
    app.navigator.mode = mode;
    list_directory(app, directory);
    app.navigator.title = texts.title;
    app.navigator.hint = texts.hint;
    app.navigator.ok_label = texts.ok_label;
    show_file_navigator(app, true);
}

void open_setting_selection(Application& app, std::int32_t mode, const NavigatorTexts& texts)
{
    app.navigator.mode = mode;
    const std::string start = navigator_start_directory(app);
    app.configuration.visible = 0;
    if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
    open_navigator(app, mode, start, texts);
}

std::string shown_path(const std::string& path)
{
    return path.empty() ? "???" : path;
}

} // namespace

void open_kernel_path_selection(Application& app)
{
    open_setting_selection(app, NAVIGATOR_KERNEL, k_kernel_texts);
}

void open_workspace_selection(Application& app)
{
    open_setting_selection(app, NAVIGATOR_WORKSPACE, k_workspace_texts);
}

void show_open_script_navigator(Application& app)
{
    // The navigator returns to the directory it showed last; before it has
    // shown one, it starts where the scripts are staged, not in the
    // process's directory under an empty path.
    open_navigator(app, NAVIGATOR_OPEN_SCRIPTS, navigator_current_directory(app), k_script_texts);
}

void show_export_location_selection(Application& app, const std::string& start)
{
    open_navigator(app, NAVIGATOR_EXPORT_LOCATION, start, k_export_location_texts);
}

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
