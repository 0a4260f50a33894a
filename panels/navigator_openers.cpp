#include "panels/navigator_openers.h"

#include "state/application.h"
#include "panels/file_navigator.h"

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
