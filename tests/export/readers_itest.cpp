// Independent readers load what the writers produce: every file opens with
// the expected face count and bounds, and STL passes the STL checker.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "export_fixture.h"

namespace {

using enum ExportFormat;

struct CommandResult {
    int status = -1;
    std::string output;
};

// Writes the fixture scene with `call` and runs `tool` on the file.
CommandResult write_and_run(const WriterCall& call, const std::string& tool,
                            const std::string& options = "")
{
    CommandResult result;
    const std::string program = tool.substr(0, tool.find(' '));
    if (std::system(("command -v " + program + " >/dev/null").c_str()) != 0) {
        result.output = program + " missing: run scripts/test.sh";
        return result;
    }
    Scene scene;
    build_fixture_scene(scene);
    ScratchDir scratch;
    const std::string path = scratch.path(call.name);
    if (!write_with(call, scene.list, path)) return result;
    std::FILE* pipe = popen((tool + " '" + path + "'" + options + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
        result.output.append(chunk, n);
    result.status = pclose(pipe);
    return result;
}

// The first number after the label, or -1 when the label is missing.
double number_after(const std::string& text, const std::string& label)
{
    const std::size_t at = text.find(label);
    if (at == std::string::npos) return -1.0;
    const std::size_t number = text.find_first_of("-0123456789", at + label.size());
    return number == std::string::npos ? -1.0 : std::strtod(text.c_str() + number, nullptr);
}

// The text between the parentheses that follow the label.
std::string bounds_after(const std::string& text, const std::string& label)
{
    const std::size_t open = text.find('(', text.find(label));
    const std::size_t close = text.find(')', open);
    return close == std::string::npos ? "" : text.substr(open + 1, close - open - 1);
}

// The fixture scene has 10 polygons or 16 triangles, spanning (0, 0, 0) to
// (3, 1, 1). Every text form and binary PLY and STL must load.
TEST(AssimpReader, LoadsEveryFormWithExpectedFacesAndBounds)
{
    for (const WriterCall& call : kEveryWriter) {
        if (call.format == off && call.binary) continue;
        SCOPED_TRACE(call.name);
        const CommandResult info = write_and_run(call, "assimp info", " -r");
        ASSERT_EQ(info.status, 0) << info.output;
        EXPECT_EQ(number_after(info.output, "Faces"), call.topology == 0 ? 10 : 16) << info.output;
        EXPECT_EQ(bounds_after(info.output, "Minimum point"), "0.000000 0.000000 0.000000");
        EXPECT_EQ(bounds_after(info.output, "Maximum point"), "3.000000 1.000000 1.000000");
    }
}

TEST(StlChecker, AcceptsBothFormsWithFacetCountAndPositiveVolume)
{
    for (bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "ascii");
        const CommandResult check =
            write_and_run({"checked.stl", stl, 3, false, false, binary}, "admesh");
        ASSERT_EQ(check.status, 0) << check.output;
        EXPECT_EQ(number_after(check.output, "Number of facets"), 16) << check.output;
        EXPECT_NEAR(number_after(check.output, "Volume "), 1.0 + 1.0 / 6.0, 1e-5) << check.output;
        EXPECT_EQ(number_after(check.output, "Facets reversed"), 0) << check.output;
    }
}

// A third reader, Python's meshio, which takes no comment line in an ascii
// STL: the STL writer keeps its comment block out of both forms for it.
TEST(MeshioReader, LoadsBothStlFormsWithEveryTriangle)
{
    const std::string meshio =
        "/usr/bin/python3 -c 'import meshio, sys; m = meshio.read(sys.argv[1]); "
        "print(\"triangles\", sum(len(c.data) for c in m.cells if c.type == \"triangle\"))'";
    for (bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "ascii");
        const CommandResult read = write_and_run({"read.stl", stl, 3, false, false, binary}, meshio);
        ASSERT_EQ(read.status, 0) << read.output;
        EXPECT_EQ(number_after(read.output, "triangles"), 16) << read.output;
    }
}

} // namespace
