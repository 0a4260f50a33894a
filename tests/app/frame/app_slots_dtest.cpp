// The window's slots as a person meets them in the real plim-ei: the
// pointer leaving the window reaches the application as a move to (-1, -1).

#include "tests/app/frame/program_driver.h"

namespace {

using namespace program_driver;

using AppSlots = ProgramTest;

} // namespace

// OPEN at the toolbar's left end shows its hover highlight under the
// pointer and drops it once the pointer has left the window.
TEST_F(AppSlots, LeavingTheWindowDropsTheHoverHighlight)
{
    TempDirectory workspace{"plim-slots-ws"};
    start_and_wait_for_interface(quoted("./plim") + " " + quoted(workspace.path()));
    const auto open_button = [&] { return program.capture(4, 4, 48, 48); };
    program.move_pointer(360, 240);
    const Image plain = open_button();
    program.move_pointer(28, 26);
    ASSERT_TRUE(wait_until([&] { return open_button().differences(plain) > 200; }))
        << "OPEN is highlighted under the pointer";
    program.move_pointer(-40, -40);
    EXPECT_TRUE(wait_until([&] { return open_button().differences(plain) == 0; }))
        << "the highlight goes with the pointer";
}
