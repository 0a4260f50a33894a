// The real program driven as a person would, judged by its window's pixels
// and the files it writes: an opened example is captured to PNG files, left
// for a second environment and found again back in the first. Pick mode T
// and deleting through a row's icon are driven end to end.

#include "tests/app/frame/program_driver.h"

#include <string>
#include <vector>

namespace {

using namespace program_driver;

bool orange(const Rgb& c)
{
    return c.r > 200 && c.g > 80 && c.g < 170 && c.b < 80;
}

class StripsAndPanesInProgram : public ProgramTest {
protected:
    // The example's ball is the one orange thing in the window.
    int orange_pixels() { return program.count_pixels(0, 88, 720, 300, orange); }

    bool eventually(const std::function<bool()>& test) { return wait_until(test, MAX_POLLS / 4); }

    std::vector<std::string> files_starting(const std::string& prefix)
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(workspace.path()))
            if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
                entry.path().extension() == ".png" && fs::file_size(entry.path()) > 0)
                found.push_back(entry.path().filename().string());
        return found;
    }

    TempDirectory workspace{"plim-ei-strips"};
};

} // namespace

TEST_F(StripsAndPanesInProgram, TheCapturesWritePngFilesAndASecondEnvironmentLeavesTheFirstIntact)
{
    fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim",
                  fs::path(workspace.path()) / "simple.plim");
    // Captures land in the working directory: the workspace.
    start_and_wait_for_interface(quoted(STANDIN_KERNEL_PATH) + " " + quoted(workspace.path() + "/"),
                                 workspace.path());
    // Ctrl+O lists the workspace, whose first row is the example.
    ASSERT_TRUE(repeat_until([&] { return program.pixel(600, 250).light(); },
                             [&] { program.key(XK_o, {XK_Control_L}); }))
        << "the navigator opens";
    program.click(100, 47);
    program.key(XK_Return);
    ASSERT_TRUE(eventually([&] { return orange_pixels() > 500; })) << "the example's ball shows";

    struct Capture {
        KeySym key;
        const char* prefix;
    };
    for (const Capture& c : {Capture{XK_8, "plim_snapshot_"}, Capture{XK_7, "plim_screenshot_"}}) {
        program.key(c.key, {XK_Control_L});
        usleep(20 * POLL_US);
        program.key(XK_Return);
        EXPECT_TRUE(wait_until([&] { return files_starting(c.prefix).size() == 1; }))
            << c.prefix << " was written";
        program.key(XK_Escape); // the "Saved" message
        usleep(10 * POLL_US);
    }

    program.click(56, 463); // ENV
    EXPECT_TRUE(eventually([&] { return orange_pixels() == 0; })) << "the new environment is empty";
    usleep(40 * POLL_US);    // the fade ends
    program.click(152, 460); // tab env0, beside the new tab env1
    EXPECT_TRUE(eventually([&] { return orange_pixels() > 500; }))
        << "back in the first environment the ball shows again";
}
