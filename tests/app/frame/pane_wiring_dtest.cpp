// The real program under the X server, seen through captured pixels: the
// start-up pane with its logo gives way to the interface, and without
// arguments the configuration box opens the navigator when clicked.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        ASSERT_NE(program.display(), nullptr);
    }

    void start(const std::string& arguments)
    {
        ASSERT_TRUE(program.start(arguments));
        ASSERT_TRUE(program.wait_for_window()) << "the program opened no window";
    }

    TempDirectory workspace{"plim-ei-panes"};
    Program program;
};

} // namespace

TEST_F(RunningProgram, ShowsTheLogoOnTheStartUpPaneThenTheInterface)
{
    start("./plim '" + workspace.path() + "'");
    EXPECT_TRUE(wait_until([&] { return program.pixel(300, 270).bluish(); }))
        << "the logo fades in on the start-up pane";
    EXPECT_TRUE(program.pixel(40, 440).light()) << "the start-up pane covers the bars";
    // The 3-D view, away from the sample model, shows its background (darker
    // than the start-up pane) once the pane is gone.
    EXPECT_TRUE(wait_until([&] { return !program.pixel(650, 300).light(); }))
        << "the interface follows";
}

TEST_F(RunningProgram, WithoutArgumentsTheConfigurationBoxOpensTheNavigator)
{
    start("");
    ASSERT_TRUE(wait_until([&] { return program.pixel(40, 300).light(); })) << "the start-up pane";
    // After the logo the start-up pane fades away, leaving the configuration
    // box on the mask.
    ASSERT_TRUE(wait_until([&] {
        return program.pixel(360, 140).light() && !program.pixel(650, 300).light();
    })) << "the configuration box is shown";
    // Its kernel button; the start-up pane takes the clicks until it has
    // faded out completely, so the click is repeated until it lands.
    EXPECT_TRUE(repeat_until([&] { return program.pixel(40, 300).light(); },
                             [&] { program.click(560, 236); }))
        << "the navigator covers the window";
}
