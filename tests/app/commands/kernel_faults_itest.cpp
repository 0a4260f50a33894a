// A kernel that misbehaves never passes as success: the faulty script adds
// nothing, and the entity already open keeps its mesh byte for byte.

#include "app/commands/parameter_sync.h"
#include "app/commands/script_reload.h"

#include <algorithm>
#include "panels/console_channels.h"
#include "tests/app/commands/command_scenario.h"
#include "tests/kernel/hostile_kernel.h"

namespace {

const char* const k_ball = "return cube.s(2, 0.25, 2) + sphere(0.6).ty(0.7);\n";
const char* const k_failing = "return cube + 1;\n";

// What the person sees after a fault: the console line, the error titles on
// loading a faulty script and on re-assembling the good one under the same
// fault, and the start of a line on the error channel ("" for none).
struct Outcome {
    const char* console_line;
    const char* load_title;
    const char* reload_title;
    const char* error_cause;
};
const Outcome k_unreadable = {"  \t Unreadable Kernel Parse-Output (see trace for details)",
                              "Error: Syntax-Error in Script",
                              "Error: Re-Assembly Syntax-Error in Script",
                              "ERROR-READING-PARSE-OUTPUT: "};
const Outcome k_unreadable_silent = {k_unreadable.console_line, k_unreadable.load_title,
                                     k_unreadable.reload_title, ""};
const Outcome k_failed = {"  \t 1 Assembly-Error (see trace for details)",
                          "Error: Assembly Error Occurred", "Error: Re-Assembly Error Occurred", ""};
const Outcome k_null_return = {"  \t Critical Assembly-Error (NULL-RETURN)",
                               "Error: Critical Assembly Error Occurred",
                               "Error: Critical Re-Assembly-Error Occurred",
                               "ERROR-READING-BINARY-INTEROP-FILE: "};

struct FaultCase {
    const char* name;
    const char* standin_fault; // PLIM_STANDIN_FAULT, or ""
    const char* hostile;       // hostile kernel behaviour, or ""
    const char* hostile_run;   // the run kind it misbehaves on
    const char* script;        // the faulty script; the good one is rewritten to it
    const Outcome& seen;
};

const FaultCase k_cases[] = {
    {"no output", "parse:no-output", "", "", k_ball, k_unreadable},
    {"too few breaks", "parse:few-breaks", "", "", k_ball, k_unreadable},
    {"missing tag", "parse:no-open-tag", "", "", k_ball, k_unreadable},
    {"swapped tags", "parse:swapped-tags", "", "", k_ball, k_unreadable},
    {"garbage", "parse:garbage", "", "", k_ball, k_unreadable},
    {"parse crash", "parse:crash", "", "", k_ball, k_unreadable},
    {"lost errors tag", "", "", "",
     "// @error oops\n// @parse-fault no-close-tag ERRORS\nreturn cube;\n", k_unreadable},
    {"parse output a fifo", "", "fifo", "-parse", k_ball, k_unreadable_silent},
    {"parse output a device", "", "device", "-parse", k_ball, k_unreadable_silent},
    {"parse crash mid-write", "", "midcrash", "-parse", k_ball, k_unreadable},
    {"failed evaluation", "", "", "", k_failing, k_failed},
    {"unreadable mesh", "assemble:short", "", "", k_ball, k_null_return},
    {"assemble crash mid-write", "", "midcrash", "-assemble", k_ball, k_null_return},
};

std::vector<double> vertices_of(const Entity& entity)
{
    const Mesh* mesh = entity.mesh;
    if (mesh == nullptr || mesh->vertex_data == nullptr) return {};
    return *mesh->vertex_data;
}

class KernelFaultScenario : public CommandScenario {
protected:
    void TearDown() override
    {
        ::unsetenv("PLIM_HOSTILE");
        ::unsetenv("PLIM_HOSTILE_RUN");
        ::unsetenv("PLIM_HOSTILE_BYTES");
        CommandScenario::TearDown();
    }
    void apply(const FaultCase& c)
    {
        if (*c.standin_fault != '\0') ::setenv("PLIM_STANDIN_FAULT", c.standin_fault, 1);
        if (*c.hostile == '\0') return;
        ASSERT_TRUE(set_kernel_path(write_hostile_kernel(workspace / "hostile")));
        ::setenv("PLIM_HOSTILE", c.hostile, 1);
        ::setenv("PLIM_HOSTILE_RUN", c.hostile_run, 1);
    }
    bool console_has(const std::string& line) const
    {
        const std::vector<std::string> lines = console();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::vector<std::string> channel(std::int32_t k) const
    {
        const ConsoleState& state = *app->current_console;
        const auto& lines = state.channel_lines[static_cast<std::size_t>(k)];
        return {lines.begin(), lines.begin() + state.channel_count[static_cast<std::size_t>(k)]};
    }
    bool error_channel_starts(const std::string& prefix) const
    {
        for (const std::string& line : channel(CHANNEL_ERROR))
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    }
};

TEST_F(KernelFaultScenario, EveryFaultEndsWithAnErrorAndLeavesTheOpenEntityAsItWas)
{
    for (const FaultCase& c : k_cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        const Entity& good = load("good.plim", k_ball);
        const Mesh* mesh = good.mesh;
        const std::vector<double> vertices = vertices_of(good);
        ASSERT_FALSE(vertices.empty());

        apply(c);
        load_script_entity(*app, write_script("bad.plim", c.script));
        EXPECT_EQ(entities().count, 1) << "nothing is added";
        EXPECT_EQ(app->message_panes.error.title, c.seen.load_title);
        EXPECT_TRUE(console_has(c.seen.console_line));
        if (*c.seen.error_cause != '\0') {
            EXPECT_TRUE(error_channel_starts(c.seen.error_cause));
        }

        app->message_panes.error.title.clear();
        app->view_settings.culling = 0;
        write_script("good.plim", c.script);
        reload_script_entity(*app, entities().entities[0], EXECUTION_OPTIMAL_CSG);
        EXPECT_EQ(app->message_panes.error.title, c.seen.reload_title);
        ASSERT_EQ(entities().count, 1);
        EXPECT_EQ(entities().entities[0].mesh, mesh);
        EXPECT_EQ(vertices_of(entities().entities[0]), vertices);
    }
}

// A run that ends the kernel early leaves the channels with the trace they
// held (for a load, its parse run); only the run's error text is added.
TEST_F(KernelFaultScenario, ACriticalRunShowsNoTraceChannelsAgainButKeepsItsCause)
{
    struct Command {
        const char* name;
        void (*run)(Application&, Entity&, const std::string& script);
        const char* kernel_trace; // a line the kernel channel then holds
    };
    const Command commands[] = {
        {"load",
         [](Application& a, Entity&, const std::string& script) { load_script_entity(a, script); },
         "plim stand-in kernel: parsing 1 script from "},
        {"re-assembly",
         [](Application& a, Entity& e, const std::string&) {
             reload_script_entity(a, e, EXECUTION_BASIC_CSG);
         },
         "earlier trace"},
        {"synchronisation",
         [](Application& a, Entity& e, const std::string&) {
             e.parameters.parameters[0].current.int_value = 3;
             sync_entity_parameters(a, &e, true);
         },
         "earlier trace"},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Entity& entity =
            load("pillar.plim", "INT n(2, 1, 10, 'N');\nreturn cylinder(1, 1, n * 4);\n");
        app->view_settings.culling = 0;
        const std::size_t errors = channel(CHANNEL_ERROR).size();
        console_show_kernel_trace(*app, "earlier trace");
        ::setenv("PLIM_STANDIN_FAULT", "assemble:short", 1);
        c.run(*app, entity, write_script("other.plim", "return cube;\n"));
        const std::vector<std::string> kernel = channel(CHANNEL_KERNEL);
        ASSERT_FALSE(kernel.empty());
        EXPECT_EQ(kernel[0].rfind(c.kernel_trace, 0), 0u) << kernel[0];
        for (const std::string& line : kernel)
            EXPECT_EQ(line.find("assembling"), std::string::npos) << "the failed run is not shown";
        const std::vector<std::string> after = channel(CHANNEL_ERROR);
        ASSERT_GT(after.size(), errors);
        EXPECT_EQ(after[errors].rfind("ERROR-READING-BINARY-INTEROP-FILE: ", 0), 0u)
            << after[errors];
    }
}

TEST_F(KernelFaultScenario, AGroupStaysWholeWhenItsReparseCannotBeRead)
{
    const Entity& group = load("pair.plim", "#PARALLEL;\n#POST{ return ret; };\n"
                                            "#PLIM(a){ ret = cube; };\n"
                                            "#PLIM(b){ ret = sphere(1).tx(3); };\n"
                                            "return{ sub(a), sub(b) };\n");
    ASSERT_EQ(group.members.size(), 2u);
    const std::vector<const Mesh*> meshes{group.members[0]->mesh, group.members[1]->mesh};
    app->view_settings.culling = 0;
    ::setenv("PLIM_STANDIN_FAULT", "parse:few-breaks", 1);
    reload_script_entity(*app, entities().entities[0], EXECUTION_OPTIMAL_CSG);
    EXPECT_EQ(app->message_panes.error.title, k_unreadable.reload_title);
    const Entity& after = entities().entities[0];
    ASSERT_EQ(after.members.size(), 2u);
    EXPECT_EQ(after.members[0]->mesh, meshes[0]);
    EXPECT_EQ(after.members[1]->mesh, meshes[1]);
}

TEST_F(KernelFaultScenario, StagingFailuresShowTheirCauseAndTheFailedRun)
{
    load("good.plim", k_ball);
    console_show_kernel_run(*app); // the kernel channel shows the good run now
    fs::remove(workspace / "tmp" / "plim_assemble_in");
    fs::create_directories(workspace / "tmp" / "plim_assemble_in");
    load_script_entity(*app, write_script("other.plim", "return cube;\n"));
    EXPECT_EQ(entities().count, 1);
    EXPECT_EQ(app->message_panes.error.title, k_null_return.load_title);
    EXPECT_TRUE(error_channel_starts("ERROR-WRITING-STAGING-FILE: "));
    for (const std::string& line : channel(CHANNEL_KERNEL))
        EXPECT_EQ(line.find("assembling"), std::string::npos) << "no earlier run is shown";

    // Without a workspace nothing is staged in the shared temporary directory.
    clear_log();
    set_workspace_path("");
    load_script_entity(*app, write_script("other.plim", "return cube;\n"));
    EXPECT_EQ(app->message_panes.error.title, "Error: Entity Workspace Not Set");
    EXPECT_TRUE(console_has("  \t Entity Workspace Not Set"));
    reload_script_entity(*app, entities().entities[0], EXECUTION_BASIC_CSG);
    EXPECT_TRUE(read_standin_log(log_path()).empty()) << "no kernel run starts";
    EXPECT_EQ(entities().count, 1);
}

TEST_F(KernelFaultScenario, CrlfLineEndsAndFloodedOutputStillLoad)
{
    ::setenv("PLIM_STANDIN_FAULT", "parse:crlf", 1);
    load("crlf.plim", k_ball);
    ASSERT_EQ(entities().count, 1) << "no phantom syntax error";

    ::unsetenv("PLIM_STANDIN_FAULT");
    ASSERT_TRUE(set_kernel_path(write_hostile_kernel(workspace / "hostile")));
    ::setenv("PLIM_HOSTILE", "flood-line", 1);
    ::setenv("PLIM_HOSTILE_RUN", "-assemble", 1);
    ::setenv("PLIM_HOSTILE_BYTES", "40000000", 1);
    load("flood.plim", k_ball);
    ASSERT_EQ(entities().count, 2);
    const std::vector<std::string> kernel = channel(CHANNEL_KERNEL);
    ASSERT_FALSE(kernel.empty());
    EXPECT_EQ(kernel.back().rfind("OUTPUT-TRUNCATED: ", 0), 0u);
}

} // namespace
