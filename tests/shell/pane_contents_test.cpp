#include "shell/pane_contents.h"

#include <gtest/gtest.h>

#include <memory>

#include "state/application.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

struct PaneTextCase {
    const char* name;
    void (*show)(Application&, const std::string&, const std::string&);
    DialogWidgets Application::*widgets;
};

const PaneTextCase kPaneTextCases[] = {
    {"info", show_info_pane, &Application::info_pane},
    {"error", show_error_pane, &Application::error_pane},
    {"warning", show_warning_pane, &Application::warning_pane},
};

} // namespace

TEST(PaneContents, AMessagePaneShowsItsTitleAndTextAsSoonAsItOpens)
{
    for (const PaneTextCase& c : kPaneTextCases) {
        auto app = std::make_unique<Application>();
        c.show(*app, "Warning: Nothing to Open", "Select one or more files.");
        const DialogWidgets& widgets = (*app).*c.widgets;
        EXPECT_EQ(widgets.title.label, "Warning: Nothing to Open") << c.name;
        EXPECT_EQ(widgets.text.label, "Select one or more files.") << c.name;
    }
}

TEST(PaneContents, TheConfigurationAndExportWidgetsFollowTheirStateOnRefresh)
{
    auto app = std::make_unique<Application>();
    app->configuration.kernel_path = "/opt/plim";
    app->configuration.kernel_state = "VALID";
    app->configuration.status = "OK";
    app->export_pane.size_text = "Estimated Size-on-Disk: 0.035 MB";
    app->export_pane.button_label = "Export";
    app->export_pane.enabled = 1;
    app->export_pane.visible = 1;
    refresh_root(*app);
    const ConfigurationWidgets& config = app->configuration_pane_widgets;
    EXPECT_EQ(config.kernel_field.label, "/opt/plim");
    EXPECT_EQ(config.kernel_state.label, "VALID");
    EXPECT_EQ(config.workspace_state.label, "UNDEFINED");
    EXPECT_EQ(config.status_button.label, "OK");
    const ExportPaneWidgets& pane = app->export_pane_widgets;
    EXPECT_EQ(pane.estimate_label.label, "Estimated Size-on-Disk: 0.035 MB");
    EXPECT_EQ(pane.export_button.label, "Export");
    EXPECT_FALSE(pane.dialog.pane.visible) << "shown only while its modal byte is set";
    app->modal[MODAL_EXPORT] = 1;
    refresh_root(*app);
    EXPECT_TRUE(pane.dialog.pane.visible);
    app->modal[MODAL_NAVIGATOR] = 1;
    refresh_root(*app);
    EXPECT_FALSE(pane.dialog.pane.visible) << "the location navigator is over it";
}
