// Loading scripts through the open commands against the stand-in kernel.

#include "app/commands/script_loading.h"
#include "tests/app/commands/command_scenario.h"

namespace {

const char* const k_ball = "base = cube.s(2, 0.25, 2);\nreturn base + sphere(0.6).ty(0.7);\n";

// Three elements, two of them with a parameter; a and b share batch 0.
const char* const k_three_elements = "#PARALLEL;\n"
                                     "#PRE{ k = 0.75; };\n"
                                     "#POST{ return ret; };\n"
                                     "#PLIM(a){ INT n(2, 1, 5, 'N'); ret = cube.s(n); };\n"
                                     "#PLIM(b){ ret = sphere(k); };\n"
                                     "#PLIM(c){ DBL d(0.5, 0.1, 2, 'D'); ret = cube.s(d); };\n"
                                     "return{ sub(0 | a), sub(0 | b), sub(c) };\n";

using LoadScenario = CommandScenario;

TEST_F(LoadScenario, AnOpenedScriptBecomesOneEntityWithItsConsoleLines)
{
    const std::string path = write_script("ball.plim", k_ball);
    app->pending_paths = {path};
    app->pending_path_count = 1;
    app->modal[MODAL_OPENING] = 1;
    open_script_paths(*app);

    ASSERT_EQ(entities().count, 1);
    const Entity& entity = entities().entities[0];
    EXPECT_EQ(entity.kind, ENTITY_SINGLE);
    EXPECT_EQ(entity.parse_report.script_path, path);
    EXPECT_EQ(entity.label, ": ball.plim");
    EXPECT_EQ(entity.property_lines.size(), 27u);
    EXPECT_EQ(entity.property_lines[2], "\t Name: ball.plim");
    ASSERT_NE(entity.mesh, nullptr);
    EXPECT_GT(entity.vertex_count, 0u);

    const std::vector<std::string> lines = console();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Script-File Opened: ball.plim");
    EXPECT_EQ(lines[1], "Parsing: ball.plim");
    EXPECT_TRUE(is_timing_line(lines[2]));
    EXPECT_EQ(lines[3], "Assembling: ball.plim");
    EXPECT_TRUE(is_timing_line(lines[4]));

    // The kernel channel shows the assembly run's account; the opening state ends.
    EXPECT_GT(app->current_console->channel_count[CHANNEL_KERNEL], 0);
    EXPECT_EQ(app->modal[MODAL_OPENING], 0);
    EXPECT_EQ(app->panel_rows.entity_rows.size(), 1u);
    EXPECT_EQ(assemble_runs(), 1);
}

// A failed load adds no entity and shows these lines and panes; nothing is assembled
// after a syntax error.
TEST_F(LoadScenario, FailedLoadsAddNothingAndShowTheirErrorPane)
{
    const std::string syntax_note =
        ".\n\nNote: syntax errors are the product of parsing a malformed or grammatically "
        "invalid set of PLIM statements.\n\nNote: the input script 'bad.plim' can not be "
        "assembled until ";
    struct Case {
        const char* file;
        std::string script;
        const char* line;
        const char* title;
        std::string text; // the whole text, or its start followed by "..."
    };
    const Case cases[] = {
        {"bad.plim", "// @error broken\nreturn cube;\n",
         "  \t 1 Syntax-Error (see trace for details)", "Error: Syntax-Error in Script",
         "The input script 'bad.plim' contains 1 syntactic error.\n\nRefer to the kernel "
         "execution trace for further details in order to identify and correct the error" +
             syntax_note + "the error has been resolved."},
        {"bad.plim", "// @error a\n// @error b\n// @error c\nreturn cube;\n",
         "  \t 3 Syntax-Errors (see trace for details)", "Error: Syntax-Errors in Script",
         "The input script 'bad.plim' contains 3 syntactic errors.\n\nRefer to the kernel "
         "execution trace for further details in order to identify and correct each error" +
             syntax_note + "each error has been resolved."},
        {"crash.plim", "return cube + stub(\"fault\", \"crash\");\n",
         "  \t Critical Assembly-Error (NULL-RETURN)", "Error: Critical Assembly Error Occurred",
         "The input script 'crash.plim' caused a critical runtime error to occur which forcibly "
         "terminated kernel execution prior to completion.\n\nNote: the input script "
         "'crash.plim' can not be assembled until the source of the critical runtime error has "
         "been resolved."},
        {"fail.plim",
         "#PARALLEL;\n#POST{ return ret; };\n#PLIM(a){ ret = cube; };\n"
         "#PLIM(b){ ret = cube + stub(\"fault\", \"crash\"); };\n#PLIM(c){ ret = sphere(1); };\n"
         "return{ sub(a), sub(b), sub(c) };\n",
         "  \t 1 Assembly-Error (see trace for details)", "Error: Assembly Error Occurred",
         "The input script 'fail.plim' caused 1 runtime error.\n\nRefer to the kernel execution "
         "trace for further details in order to identify and correct the error.\n\nNote: "
         "assembly errors typically indicate spatial or logical issues and/or improper use of a "
         "language feature, function or entity.\n\nNote: the input script 'fail.plim' can not "
         "be assembled until the error has been resolved."},
        // Element syntax errors list each element after the text.
        {"bad.plim",
         "#PARALLEL;\n#PLIM(a){ ret = cube; };\n#PLIM(b){ return cube; };\n"
         "return{ sub(a), sub(b) };\n",
         "  \t 1 Syntax-Error (see trace for details)", "Error: Syntax-Error in Script",
         "...until the error has been resolved.\n\n// E:a\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        clear_log();
        load_script_entity(*app, write_script(c.file, c.script));
        EXPECT_EQ(entities().count, 0);
        EXPECT_EQ(console().back(), c.line);
        EXPECT_EQ(app->message_panes.error.title, c.title);
        EXPECT_EQ(app->modal[MODAL_ERROR], 1);
        const std::string& text = app->message_panes.error.text;
        if (c.text.rfind("...", 0) == 0) {
            EXPECT_NE(text.find(c.text.substr(3)), std::string::npos) << text;
        } else {
            EXPECT_EQ(text, c.text);
        }
        if (c.file == std::string("bad.plim")) {
            EXPECT_EQ(assemble_runs(), 0);
        }
    }
}

TEST_F(LoadScenario, AParallelScriptBecomesAGroupWithBatchIdsAndMergedParameters)
{
    load_script_entity(*app, write_script("three.plim", k_three_elements));
    ASSERT_EQ(entities().count, 1);
    const Entity& group = entities().entities[0];
    EXPECT_EQ(group.kind, ENTITY_GROUP);
    ASSERT_EQ(group.members.size(), 3u);
    std::vector<std::string> names;
    std::vector<std::int32_t> batches;
    for (const Entity* member : group.members) {
        ASSERT_NE(member, nullptr);
        ASSERT_NE(member->mesh, nullptr);
        names.push_back(member->parse_report.script_path);
        batches.push_back(member->mesh->batch_id);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(batches, (std::vector<std::int32_t>{0, 0, 1}));

    // The merged set points at the members' own parameters.
    EXPECT_EQ(group.parameters.count, 2);
    ASSERT_EQ(group.parameters.member_parameters.size(), 2u);
    EXPECT_EQ(group.parameters.member_parameters[0], &group.members[0]->parameters.parameters[0]);
    EXPECT_EQ(group.parameters.member_parameters[1]->name, "d");
    EXPECT_EQ(group.parameters.member_names, (std::vector<std::string>{"a", "c"}));

    EXPECT_EQ(group.property_lines.size(), 34u);
    EXPECT_EQ(group.property_lines[5], "\t Type: PARALLEL");
    EXPECT_EQ(group.property_lines[12], "\t Element-Count: 3");
    EXPECT_TRUE(is_timing_line(console().back()));
}

TEST_F(LoadScenario, TheMaxCoresOptionLimitsTheElementRunsAtOnce)
{
    std::string script = "#PARALLEL;\n#POST{ return ret; };\n";
    for (int e = 0; e < 5; ++e)
        script += "#PLIM(e" + std::to_string(e) + "){ stub(\"delay\", 150); ret = cube; };\n";
    script += "return{ sub(e0), sub(e1), sub(e2), sub(e3), sub(e4) };\n";
    app->view_settings.invocation_groups = 0; // one kernel job per element
    for (const std::int32_t max_cores : {1, 3}) {
        clear_log();
        app->view_settings.max_cores = max_cores;
        load_script_entity(*app, write_script("slow.plim", script));
        std::vector<StandinRun> element_runs;
        for (const StandinRun& run : read_standin_log(log_path()))
            if (run.arguments.size() > 2 && run.arguments[1] == "-assemble")
                element_runs.push_back(run);
        ASSERT_EQ(element_runs.size(), 5u) << max_cores;
        EXPECT_LE(most_overlapping_runs(element_runs), max_cores);
        if (max_cores > 1) {
            EXPECT_GT(most_overlapping_runs(element_runs), 1);
        }
    }
    EXPECT_EQ(entities().count, 2);
}

TEST_F(LoadScenario, TheNavigatorSelectionOpensScriptsInAnyCaseAndRejectsOtherNames)
{
    write_script("a.plim", k_ball);
    write_script("b.PLIM", k_ball);
    FileNavigator& navigator = app->navigator;
    navigator.directory = workspace.string() + "/";
    navigator.entries.resize(4);
    navigator.entries[0].name = "a.plim";
    navigator.entries[1].name = "b.PLIM";
    navigator.entries[2].name = "notes.txt";
    navigator.entries[3].name = "c.plim";
    navigator.display_order = {2, 1, 0, 3};
    navigator.selected = {1, 1, 1, 0};
    open_selected_scripts(*app);

    ASSERT_EQ(entities().count, 2);
    const std::vector<std::string> lines = console();
    EXPECT_EQ(lines[0], "Error: Invalid File Path");
    EXPECT_EQ(lines[1], "  \t " + workspace.string() + "/notes.txt");
    EXPECT_EQ(lines[2], "Script-File Opened: b.PLIM");
}

TEST_F(LoadScenario, OpeningTheSameScriptTwiceReassemblesItTheSecondTime)
{
    const std::string path = write_script("ball.plim", k_ball);
    app->pending_paths = {path, path};
    app->pending_path_count = 2;
    open_script_paths(*app);
    EXPECT_EQ(entities().count, 1);
    const std::vector<std::string> lines = console();
    EXPECT_EQ(lines[5], "Note: Script Already Loaded: " + path);
    EXPECT_EQ(lines[6], "Re-Parsing: ball.plim");
    EXPECT_EQ(lines.back(), "  \t (nothing to do - skipping re-assembly)");
    EXPECT_EQ(assemble_runs(), 1);
}

TEST_F(LoadScenario, InvalidPendingPathsAreNamedAndAnEmptyListOnlyEndsTheOpeningState)
{
    app->pending_paths = {".plim", "", "x.plim.txt"};
    app->pending_path_count = 3;
    open_script_paths(*app);
    EXPECT_EQ(console(), (std::vector<std::string>{"Error: Invalid File Path", "  \t .plim",
                                                   "Error: Invalid File Path", "  \t x.plim.txt"}));

    app->pending_paths.clear();
    app->pending_path_count = 0;
    app->modal[MODAL_OPENING] = 1;
    app->panel_rows.entity_rows = {"stale"};
    open_script_paths(*app);
    EXPECT_EQ(app->modal[MODAL_OPENING], 0);
    EXPECT_EQ(app->panel_rows.entity_rows, (std::vector<std::string>{"stale"}));
}

} // namespace
