// The real program driven as a person would, judged by its window's pixels:
// an opened example is inspected in pick mode T (the hint bar names the
// triangle under the pointer), captured to PNG files, left for a second
// environment and back, and deleted through its row's DELETE icon.

#include "tests/app/frame/program_driver.h"

#include <string>
#include <vector>

namespace {

using namespace program_driver;

bool orange(const Rgb& c)
{
    return c.r > 200 && c.g > 80 && c.g < 170 && c.b < 80;
}

class StripsAndPanesInProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(program.display(), &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no test extension for synthetic input";
        fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim",
                      fs::path(workspace.path()) / "simple.plim");
        // Captures land in the working directory: the workspace.
        ASSERT_TRUE(
            program.start(quoted(STANDIN_KERNEL_PATH) + " " + quoted(workspace.path() + "/"), "",
                          workspace.path()));
        // Other display tests open their windows at the origin at the same
        // time: this one keeps out of their way.
        ASSERT_TRUE(program.wait_for_window(20, 520)) << "the program's window never appeared";
        program.move_pointer(360, 240);
    }

    void TearDown() override
    {
        if (program.running()) program.close();
    }

    static bool eventually(const std::function<bool()>& test, int polls = SETTLE_POLLS)
    {
        return wait_until(test, polls);
    }

    // The example's ball is the one orange thing in the window.
    int orange_pixels() { return program.count_pixels(0, 88, 720, 300, orange); }

    // Ctrl+O lists the workspace: its first row is the example; Enter opens it.
    // The navigator's light body covers the view.
    // Keys do nothing until start-up has finished, so Ctrl+O is repeated.
    bool open_example()
    {
        // The start-up pane is light too: first the view must show.
        if (!eventually([&] { return program.pixel(600, 300).view(); }, MAX_POLLS)) return false;
        for (int i = 0; i < MAX_POLLS / 10; ++i) {
            program.key(XK_o, {XK_Control_L});
            if (eventually(
                    [&] {
                        return program.pixel(600, 250).light() && program.pixel(600, 150).light();
                    },
                    6))
                break;
        }
        program.click(100, 47);
        program.key(XK_Return);
        return eventually([&] { return orange_pixels() > 500; }, MAX_POLLS / 4);
    }

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
    Program program;
};

TEST_F(StripsAndPanesInProgram, PickModeTNamesTheTriangleAndTheCapturesWritePngFiles)
{
    ASSERT_TRUE(open_example()) << "the example's ball shows";
    // The inspector toggle opens its strip; row T sets the pick mode.
    program.click(36, 436);
    usleep(10 * POLL_US); // the strip is laid out in the next frame
    program.click(150, 436);
    int step = 0;
    EXPECT_TRUE(eventually([&] {
        program.move_pointer(390 + step++ % 2, 230);
        return program.pixel(300, 105).light();
    })) << "the hint bar opens over the view with the picked triangle";
    program.move_pointer(360, 300);
    struct Capture {
        KeySym key;
        const char* prefix;
    };
    for (const Capture& c : {Capture{XK_8, "plim_snapshot_"}, Capture{XK_7, "plim_screenshot_"}}) {
        program.key(c.key, {XK_Control_L});
        usleep(20 * POLL_US);
        program.key(XK_Return);
        EXPECT_TRUE(eventually([&] { return files_starting(c.prefix).size() == 1; }))
            << c.prefix << " was written";
        program.key(XK_Escape); // the "Saved" message
        usleep(10 * POLL_US);
    }
}

TEST_F(StripsAndPanesInProgram, ASecondEnvironmentAndBackThenDeleteThroughTheRowIcon)
{
    ASSERT_TRUE(open_example()) << "the example's ball shows";
    program.click(56, 463); // ENV
    EXPECT_TRUE(eventually([&] { return orange_pixels() == 0; }, MAX_POLLS / 4))
        << "the new environment is empty";
    usleep(40 * POLL_US);    // the fade ends
    program.click(152, 460); // tab env0, beside the new tab env1
    EXPECT_TRUE(eventually([&] { return orange_pixels() > 500; }, MAX_POLLS / 4))
        << "back in the first environment the ball shows again";
    usleep(40 * POLL_US);
    program.click(118, 71);  // ENTITY
    program.click(231, 147); // the row's DELETE icon
    ASSERT_TRUE(eventually([&] {
        return program.pixel(450, 250).light() && program.pixel(535, 250).light();
    })) << "the confirmation opens";
    program.click(535, 319); // OK
    EXPECT_TRUE(eventually([&] { return orange_pixels() == 0; }))
        << "the deleted entity is drawn no more";
    EXPECT_TRUE(eventually([&] { return program.pixel(100, 200).light(); }))
        << "the entity list is empty";
}

} // namespace
