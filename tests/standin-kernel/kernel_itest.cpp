#include "interop_reader.h"
#include "kernel_run.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// The staged texts as the inspector writes them.
std::string assembly_block(const std::string& logic, const std::string& mode = "optimal_csg_mesh")
{
    return "{\n// directives\n#execute_mode:" + mode + ";\n// logic\n" + logic + "\n};\n";
}

std::string staged_assembly(const std::string& logic)
{
    return "1;\n\n" + assembly_block(logic);
}

std::string staged_list(const std::vector<std::pair<std::string, std::string>>& scripts)
{
    std::string staged = std::to_string(scripts.size()) + ";\n";
    for (const auto& [name, text] : scripts)
        staged += "{\n// E:" + name + "\n" + text + "\n};\n";
    return staged;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(text.substr(begin, end - begin));
    lines.push_back(text.substr(begin));
    return lines;
}

TEST(KernelCommandLine, AnythingElseGivesTheUsageAndExitCodeTwo)
{
    ScratchDirectory dir;
    dir.write("in", "return cube;");
    for (const char* args :
         {"", "-interop", "-interop -parse in", "-parse in out", "-interop -parse in out extra",
          "-interop -assemble in out -ccpp", "-interop -assemble in out -ppd",
          "-interop -compute in out 3", "-interop -compute in out", "-interop -render in out"}) {
        const KernelRun run = dir.run(args);
        EXPECT_EQ(run.exit_code, 2) << args;
        EXPECT_EQ(run.out.rfind("usage: plim", 0), 0u) << args;
        EXPECT_FALSE(dir.exists("out")) << args;
    }
}

TEST(KernelParse, ListsGiveOneBlockPerScriptInOrderFromLfOrCrlfAndFilesOne)
{
    ScratchDirectory dir;
    const std::string staged = staged_list({{"a", "return cube;"},
                                            {"b", "x = cube\n  .s(2);"},
                                            {"c", "INT n = 1;\nreturn sphere(n);"}});
    std::string crlf;
    for (char c : staged)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    dir.write("in", crlf);
    dir.run("-interop -parse in crlf.out '*'");
    dir.write("in", staged);
    ASSERT_EQ(dir.run("-interop -parse in out '*'").exit_code, 0);
    const std::string output = dir.read("out");
    EXPECT_EQ(dir.read("crlf.out"), output);
    EXPECT_EQ(count_of(output, "<BREAK>\n"), 3u);
    const std::vector<std::string> blocks = {output.substr(0, output.find("<BREAK>")),
                                             output.substr(output.find("<BREAK>") + 8)};
    EXPECT_EQ(section(blocks[0], "OPERATIONS"), "return cube;\n");
    EXPECT_EQ(section(blocks[1], "OPERATIONS"), "x = cube .s(2);\n") << "line breaks collapsed";
    EXPECT_EQ(count_of(section(blocks[1], "ERRORS"), "\n"), 1u);
    EXPECT_NE(output.find("<SOURCE>\nINT n = 1;\nreturn sphere(n);\n</SOURCE>"), std::string::npos);

    dir.write("in", "0;\n");
    EXPECT_EQ(dir.run("-interop -parse in out '*'").exit_code, 0);
    EXPECT_EQ(dir.read("out"), "") << "an empty list writes nothing";

    dir.write("in", "// logic\n" + read_test_file("golden/simple.plim"));
    const KernelRun run = dir.run("-interop -parse in out");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.out.find("3 operations"), std::string::npos) << run.out;
    EXPECT_EQ(dir.read("out"), read_test_file("golden/simple.parse"))
        << "one script file gives one block";
}

TEST(KernelAssemble, EachBlockGivesOneRecordWithItsModeAndFailuresEmptyOnes)
{
    ScratchDirectory dir;
    dir.write("in", "4;\n" + assembly_block("return cube;", "pure_union_mesh") + "{ };\n" +
                        assembly_block("a = mcube;\nreturn a;", "basic_csg_mesh") +
                        assembly_block("return sphere;"));
    const KernelRun run = dir.run("-interop -assemble in out");
    EXPECT_EQ(run.exit_code, 1) << "a block that failed to evaluate fails the run";
    EXPECT_NE(run.out.find("empty block"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("failed: 'sphere' takes 1 argument"), std::string::npos) << run.out;
    const ReadResult result = read_interop_path(dir.path("out"));
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.meshes.size(), 4u);
    // H1 (vertex values) and H3 (mode) of each record; the empty ones are header-only.
    const std::pair<int, int> h1_h3[] = {{24, 0}, {0, 0}, {72, 1}, {0, 0}};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::pair(result.meshes[i].h[0], result.meshes[i].h[2]), h1_h3[i]) << i;
    EXPECT_EQ(result.trailing_bytes, 0u);
}

// Parallel elements are staged as prefix, own source and suffix joined.
TEST(KernelParse, ParallelElementLogicsParseCleanly)
{
    ScratchDirectory dir;
    dir.write("in",
              staged_list({{"left", "k = 0.5;\nret = cube.s(k).tx(-1);\nreturn ret;"},
                           {"mid", "k = 0.5;\nret = cone(k, 1, 16);\nreturn ret.rgb(0.2);"}}));
    EXPECT_EQ(dir.run("-interop -parse in out '*'").exit_code, 0);
    EXPECT_EQ(count_of(dir.read("out"), "<ERRORS>\n</ERRORS>\n<WARNINGS>\n</WARNINGS>"), 2u);
}

TEST(KernelExamples, EveryExampleParsesCleanlyAndAssemblesByHand)
{
    ScratchDirectory dir;
    for (const char* name : {"simple", "parameters", "parallel"}) {
        const std::string path = std::string(PLIM_SOURCE_DIR) + "/examples/" + name + ".plim";
        EXPECT_EQ(dir.run("-interop -parse '" + path + "' out").exit_code, 0) << name;
        EXPECT_EQ(section(dir.read("out"), "ERRORS"), "") << name;
        EXPECT_EQ(section(dir.read("out"), "WARNINGS"), "") << name;
        EXPECT_EQ(dir.run("-interop -assemble '" + path + "' mesh").exit_code, 0) << name;
        const ReadResult result = read_interop_path(dir.path("mesh"));
        ASSERT_EQ(result.meshes.size(), 1u) << name;
        EXPECT_GT(result.meshes[0].h[0], 0) << name;
    }
    dir.write("in", read_test_file("golden/parallel.plim"));
    EXPECT_EQ(dir.run("-interop -assemble in out").exit_code, 0);
    const ReadResult result = read_interop_path(dir.path("out"));
    ASSERT_EQ(result.meshes.size(), 1u);
    EXPECT_EQ(result.meshes[0].h[0], 3 * (8 + 86 + 17));
}

// The profiling text sits at lines F to F + O - 1, F and O counted from the
// parse output of the same script.
TEST(KernelAssemble, ProfilingPutsOneTimingPerOperationIntoTheName)
{
    ScratchDirectory dir;
    dir.write("parse.in",
              "// logic\n#PLIM(x){ return cube; };\n#PLIM(y){ return cube; };\nINT n(3, 1, 9);\n"
              "a = cube.s(n);\nb = a.duo.tx(1);\nreturn a + b;");
    dir.run("-interop -parse parse.in parse.out");
    const std::string report = dir.read("parse.out");
    const size_t functions = count_of(section(report, "FUNCTIONS"), "\n");
    const size_t operations = count_of(section(report, "OPERATIONS"), "\n");
    ASSERT_EQ(functions, 2u);
    ASSERT_EQ(operations, 3u);
    const std::string logic = section(report, "DIRECTIVES") + "\n" + section(report, "PARAMETERS") +
                              "\n" + section(report, "FUNCTIONS") + "\n" +
                              section(report, "OPERATIONS");
    const auto name_lines = [&](const std::string& stub, const std::string& action) {
        dir.write("in", staged_assembly(stub + logic));
        dir.run("-interop " + action + " in out");
        const ReadResult result = read_interop_path(dir.path("out"));
        return result.meshes.size() == 1 ? lines_of(result.meshes[0].name)
                                         : std::vector<std::string>{"(no mesh)"};
    };

    const std::vector<std::string> lines = name_lines("", "-assemble-ppd");
    ASSERT_GT(lines.size(), functions + operations);
    for (size_t i = functions; i < functions + operations; ++i) {
        EXPECT_FALSE(lines[i].empty());
        EXPECT_TRUE(std::all_of(lines[i].begin(), lines[i].end(), [](char c) {
            return c >= '0' && c <= '9';
        })) << lines[i];
    }
    EXPECT_EQ(name_lines("", "-assemble"), std::vector<std::string>{""});
    EXPECT_LE(name_lines("stub(\"ppd\", \"short\");\n", "-assemble-ppd").size(),
              functions + operations + 1);
    EXPECT_EQ(name_lines("stub(\"ppd\", \"junk\");\n", "-assemble-ppd").at(functions), "n/a");
}

TEST(KernelCcpp, AssemblySaysWhetherItFoundAComputedPrefix)
{
    ScratchDirectory dir;
    dir.write("ccpp.in", "k = 0.5;");
    dir.write("in", staged_assembly("return cube;"));
    EXPECT_EQ(dir.run("-interop -parse ccpp.in ccpp.out -ccpp").exit_code, 0);
    EXPECT_NE(dir.run("-interop -assemble in out -ccpp ccpp.out").out.find("no computed prefix"),
              std::string::npos);
    EXPECT_EQ(dir.run("-interop -compute-ppd ccpp.in ccpp.out 1").exit_code, 0);
    EXPECT_NE(dir.read("ccpp.out").find("mode basic_csg_mesh"), std::string::npos);
    EXPECT_NE(
        dir.run("-interop -assemble in out -ccpp ccpp.out").out.find("found a computed prefix"),
        std::string::npos);
    EXPECT_NE(dir.run("-interop -assemble in out -ccpp nowhere").out.find("no computed prefix"),
              std::string::npos);

    dir.run("-interop -parse ccpp.in ccpp.out -ccpp", "PLIM_STANDIN_FAULT=ccpp:garbage");
    EXPECT_EQ(dir.read("ccpp.out").rfind("PLIM-STANDIN-CCPP", 0), std::string::npos);
    EXPECT_NE(
        dir.run("-interop -compute ccpp.in ccpp2.out 2", "PLIM_STANDIN_FAULT=ccpp:crash").exit_code,
        0);
    EXPECT_FALSE(dir.exists("ccpp2.out"));
}

// Each fault applied to the second of two records, by stub statement and by
// the environment.
TEST(KernelAssemblyFault, EveryFaultMalformsTheOutput)
{
    for (const char* fault :
         {"no-output", "short", "zero", "truncated", "negative", "dim0", "colour-oob", "local-oob",
          "odd-edges", "extra-mesh", "missing-mesh", "crash"}) {
        for (bool by_environment : {false, true}) {
            SCOPED_TRACE(std::string(fault) + (by_environment ? " by environment" : " by stub"));
            ScratchDirectory dir;
            const std::string stub =
                by_environment ? "" : "stub(\"fault\", \"" + std::string(fault) + "\");\n";
            dir.write("in", "2;\n" + assembly_block("return mcube;") +
                                assembly_block(stub + "return cube;"));
            const KernelRun run =
                dir.run("-interop -assemble in out",
                        by_environment ? "PLIM_STANDIN_FAULT=assemble:" + std::string(fault) : "");
            const std::string name = fault;
            const ReadResult result = read_interop_path(dir.path("out"));
            const ReadMesh second = result.meshes.size() == 2 ? result.meshes[1] : ReadMesh{};
            if (name == "no-output" || name == "crash") {
                EXPECT_FALSE(dir.exists("out"));
            } else if (name == "short") {
                EXPECT_LT(dir.read("out").size(), 144u);
            } else if (name == "zero") {
                EXPECT_EQ(result.count, 0);
                EXPECT_GE(dir.read("out").size(), 144u);
            } else if (name == "truncated" || name == "negative" || name == "dim0") {
                EXPECT_FALSE(result.ok);
            } else if (name == "extra-mesh" || name == "missing-mesh") {
                EXPECT_EQ(result.count, name == "extra-mesh" ? 3 : 1);
            } else {
                ASSERT_TRUE(result.ok) << result.error;
                if (name == "colour-oob") {
                    ASSERT_FALSE(second.colour_indices.empty());
                    EXPECT_GE(second.colour_indices[0],
                              static_cast<std::uint32_t>(second.h[5] / 4));
                } else if (name == "local-oob") {
                    EXPECT_THROW(decode_group(second.groups[1]), std::out_of_range);
                } else {
                    EXPECT_EQ(second.h[14] % 2, 1);
                }
            }
            if (name == "crash") {
                EXPECT_NE(run.exit_code, 0);
                EXPECT_FALSE(run.out.empty());
                EXPECT_NE(run.out.back(), '\n') << "partial standard output";
            }
        }
    }
}

TEST(KernelParseFault, PragmasAndTheEnvironmentMalformTheOutputAndFillTheStreams)
{
    ScratchDirectory dir;
    dir.write("crash", "// logic\nreturn cube; // @parse-fault crash");
    const KernelRun crashed = dir.run("-interop -parse crash out");
    EXPECT_NE(crashed.exit_code, 0);
    EXPECT_FALSE(dir.exists("out"));
    EXPECT_FALSE(crashed.out.empty());

    dir.write("out", "");
    dir.write("silent", "// logic\n// @parse-fault no-output\nreturn cube;");
    EXPECT_EQ(dir.run("-interop -parse silent out").exit_code, 0);
    EXPECT_EQ(dir.read("out"), "");

    dir.write("list", staged_list({{"a", "return cube;"},
                                   {"b", "// @parse-fault few-breaks\nreturn cube;"}}));
    dir.run("-interop -parse list out '*'");
    EXPECT_EQ(count_of(dir.read("out"), "<BREAK>"), 1u);

    dir.write("plain", "// logic\nreturn cube;");
    dir.run("-interop -parse plain out", "PLIM_STANDIN_FAULT=parse:crlf");
    EXPECT_NE(dir.read("out").find("<ERRORS>\r\n</ERRORS>\r\n"), std::string::npos);
    dir.run("-interop -parse plain out", "PLIM_STANDIN_FAULT='parse:no-separator NOTES'");
    EXPECT_NE(dir.read("out").find("<NOTES></NOTES>\n"), std::string::npos);

    dir.write(
        "in",
        "// logic\n// @stdout hello there\n// @stderr-flood 200000\n// @delay 20\nreturn cube;");
    const KernelRun run = dir.run("-interop -parse in out");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.out.find("hello there\n"), std::string::npos);
    EXPECT_GE(run.err.size(), 200000u);
}

TEST(KernelLog, FourConcurrentRunsLogFourWholeLines)
{
    ScratchDirectory dir;
    dir.write("in", staged_assembly("stub(\"delay\", 50);\nreturn sphere(1);"));
    const std::string kernel = "'" PLIM_STANDIN_PATH "'";
    std::string runs;
    for (int i = 0; i < 4; ++i)
        runs += kernel + " -interop -assemble in out" + std::to_string(i) + " > /dev/null & ";
    dir.run("-interop -assemble in out > /dev/null; " + runs + "wait",
            "export PLIM_STANDIN_LOG=runs.log;");
    const std::vector<std::string> lines = lines_of(dir.read("runs.log"));
    ASSERT_EQ(lines.size(), 6u); // five runs and the empty text after the last line feed
    EXPECT_EQ(lines.back(), "");
    std::set<long long> pids;
    for (size_t i = 0; i < 5; ++i) {
        long long pid = 0, start_ms = 0, end_ms = 0;
        size_t read_bytes = 0;
        char args[64] = "";
        ASSERT_EQ(std::sscanf(lines[i].c_str(),
                              "pid=%lld start_ms=%lld end_ms=%lld read_bytes=%zu args=%63[^\n]",
                              &pid, &start_ms, &end_ms, &read_bytes, args),
                  5)
            << lines[i];
        EXPECT_EQ(std::string(args).rfind("-interop -assemble in out", 0), 0u) << lines[i];
        pids.insert(pid);
        EXPECT_LE(start_ms, end_ms);
        EXPECT_EQ(read_bytes, dir.read("in").size());
    }
    EXPECT_EQ(pids.size(), 5u);
}

} // namespace
