// gtest first: X.h defines None, which gtest also uses as a name.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>

#include "platform/process.h"
#include "platform/x11/clipboard.h"
#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"

namespace {

// Another program pastes while the loop answers its requests.
std::string paste_with(const TextList& arguments)
{
    auto paste =
        std::async(std::launch::async, [&] { return run_process("/usr/bin/xclip", arguments); });
    while (paste.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        drain_window_events();
    return paste.get();
}

TEST(Clipboard, AnotherProgramPastesTheOfferedTextAndItsTargets)
{
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    EXPECT_FALSE(set_x11_clipboard_text("no window yet"));
    ASSERT_TRUE(create_gl_window("clipboard", 360, 240));
    const std::string report = "PLIM:PPD\n> Assembly Overview\n  s0 : [ 1.5 ms ]\n";
    ASSERT_TRUE(set_x11_clipboard_text(report));
    EXPECT_EQ(paste_with({"-o", "-selection", "clipboard"}), report);
    EXPECT_EQ(paste_with({"-o", "-selection", "clipboard", "-t", "STRING"}), report);
    const std::string targets = paste_with({"-o", "-selection", "clipboard", "-t", "TARGETS"});
    for (const char* target : {"TARGETS", "UTF8_STRING", "STRING"})
        EXPECT_NE(targets.find(target), std::string::npos) << target;
    destroy_gl_window();
}

} // namespace
