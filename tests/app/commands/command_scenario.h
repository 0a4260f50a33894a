#pragma once

// Scenario scaffolding: a fresh workspace with its "tmp/" directory, the
// stand-in kernel as the kernel path with its run log, a fresh application
// with its first environment, and empty pane and panel models.

#include "app/commands/parse_check.h"
#include "app/commands/script_loading.h"
#include "state/application.h"
#include "app/commands/environment_lifecycle.h"
#include "panels/directive_menus.h"
#include "panels/message_panes.h"
#include "state/pane_state.h"
#include "panels/panel_rows.h"
#include "platform/files.h"
#include "platform/kernel_config.h"
#include "tests/kernel/standin_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

class CommandScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        workspace =
            fs::temp_directory_path() / ("plim_commands_" + std::to_string(::getpid()) + "_" +
                                         info->test_suite_name() + "_" + info->name());
        fs::remove_all(workspace);
        fs::create_directories(workspace / "tmp");
        set_workspace_path(workspace.string());
        ASSERT_TRUE(set_kernel_path(PLIM_STANDIN_PATH));
        ::setenv("PLIM_STANDIN_LOG", log_path().c_str(), 1);
        ::unsetenv("PLIM_STANDIN_FAULT");
        app = std::make_unique<Application>();
        add_first_environment(*app);
    }
    void TearDown() override
    {
        app.reset();
        ::unsetenv("PLIM_STANDIN_LOG");
        ::unsetenv("PLIM_STANDIN_FAULT");
        set_kernel_path("");
        set_workspace_path("");
        fs::remove_all(workspace);
    }

    std::string write_script(const std::string& name, const std::string& text) const
    {
        const std::string path = (workspace / name).string();
        write_text_file(text, path);
        return path;
    }
    std::string log_path() const { return (workspace / "standin.log").string(); }
    std::string staged(const std::string& name) const
    {
        return read_text_file((workspace / "tmp" / name).string());
    }

    std::vector<std::string> console() const
    {
        const ConsoleState& state = *app->current_console;
        return {state.lines.begin(), state.lines.begin() + state.line_count};
    }
    // Kernel runs that assembled something (any "-assemble" form).
    int assemble_runs() const
    {
        int count = 0;
        for (const StandinRun& run : read_standin_log(log_path()))
            for (const std::string& argument : run.arguments)
                count += argument.rfind("-assemble", 0) == 0 ? 1 : 0;
        return count;
    }
    void clear_log() const { write_text_file("", log_path()); }
    // Loads the script as an entity and forgets the runs that took.
    Entity& load(const std::string& name, const std::string& text)
    {
        load_script_entity(*app, write_script(name, text));
        clear_log();
        return entities().entities.back();
    }
    EntityList& entities() const { return *app->current_entity_list; }
    // Opens the script as the Open command does, selects it in the side
    // panels and forgets the runs that took.
    Entity& open_selected(const std::string& path)
    {
        app->pending_paths = {path};
        app->pending_path_count = 1;
        open_script_paths(*app);
        EXPECT_EQ(entities().count, 1);
        app->current_selection->selected_position = 0;
        rebuild_entity_panels(*app);
        clear_log();
        return entities().entities[0];
    }

    fs::path workspace;
    std::unique_ptr<Application> app;
};

inline bool is_timing_line(const std::string& line)
{
    return line.rfind("  \t ", 0) == 0 && line.size() > 7 &&
           line.compare(line.size() - 3, 3, " ms") == 0;
}
