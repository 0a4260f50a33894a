// A file dialog over the shown window: a stand-in "zenity" waits until the
// test lets it go, while another thread plays the user and the window
// manager on the peer connection.

#include "tests/platform/x11/display_fixture.h"

#include "platform/files.h"
#include "platform/x11/window_services.h"

#include <X11/keysym.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

// Seen by the user's thread while the dialog runs.
std::atomic<int> g_paints{0};
std::atomic<bool> g_resized{false};
std::atomic<bool> g_closed{false};

// Polls for up to five seconds; a fault fails the test instead of hanging it.
bool wait_for(const std::function<bool()>& seen)
{
    for (int poll = 0; poll < 500 && !seen(); ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return seen();
}

class DialogOverWindow : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped()) return;
        g_paints = 0;
        g_resized = g_closed = false;
        char pattern[] = "/tmp/plim-dialog-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        saved_path_ = std::getenv("PATH");
        setenv("PATH", (directory_ + ":" + saved_path_).c_str(), 1);
        const std::string zenity = directory_ + "/zenity";
        // It answers once let go, or after a minute at most.
        const std::string release = "'" + directory_ + "/release'";
        ASSERT_TRUE(write_text_file("#!/bin/sh\n: > '" + directory_ + "/started'\nn=0\n" +
                                        "while [ ! -e " + release + " ] && [ $n -lt 6000 ]; do\n" +
                                        "  sleep 0.01; n=$((n + 1))\ndone\nprintf '/s/a.plim\\n'\n",
                                    zenity));
        ASSERT_EQ(chmod(zenity.c_str(), 0755), 0);
        using W = WindowCallbacks*;
        record_.on_init = nullptr;
        record_.on_paint = [](W) { return ++g_paints > 0; };
        record_.on_resize = [](W, std::int32_t w, std::int32_t h) {
            g_resized = true;
            return log_slot("resize", {w, h});
        };
        record_.on_close = [](W) { return g_closed = log_slot("close"); };
        record_.on_enter = [](W) { return log_slot("enter"); };
        record_.on_exit = [](W) { return log_slot("exit"); };
        record_.on_unfocus = [](W) { return log_slot("unfocus"); };
        record_.on_drop = [](W, std::int32_t, std::int32_t, const std::string&) {
            return log_slot("drop");
        };
        start();
    }

    void TearDown() override
    {
        if (!directory_.empty()) {
            setenv("PATH", saved_path_.c_str(), 1);
            std::filesystem::remove_all(directory_);
        }
        DisplayTest::TearDown();
    }

    bool exists(const char* name) const { return std::filesystem::exists(directory_ + "/" + name); }

    std::string directory_;
    std::string saved_path_;
};

} // namespace

// While the dialog runs the window repaints when exposed, follows a resize
// and paints what that asks for, and notes a close request; every input and
// a drop are dropped. Afterwards nothing of them is left: no key or button
// stays held, the release of a press dropped is dropped too, and the one
// event waiting tells where the pointer is.
TEST_F(DialogOverWindow, TheWindowPaintsAndTakesNoInputWhileTheDialogRuns)
{
    XWarpPointer(peer_, None, window_, 0, 0, 0, 0, 30, 40);
    send_key(true, XK_1);
    send_button(true, Button1, 10, 20);
    // A drag that has entered, its file list where its drop would fetch it.
    const Window source = XCreateSimpleWindow(peer_, DefaultRootWindow(peer_), 0, 0, 1, 1, 0, 0, 0);
    const Atom uri_list = atom("text/uri-list");
    send_client_message(peer_, window_, "XdndEnter", {long(source), 5L << 24, long(uri_list)});
    const std::string list = "file:///s/b.plim\r\n";
    XChangeProperty(peer_, window_, atom("PLIM_DROPPED_URI_LIST"), uri_list, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()), int(list.size()));
    settle();
    g_slot_log.clear();
    g_repaint_requested = 0;
    const std::function<void()> inputs[] = {
        [&] { send_key(false, XK_1); },                                    // a held key let go
        [&] { send_key(true, XK_a), send_key(false, XK_a); },              // a key typed
        [&] { send_button(false, Button1, 10, 20); },                      // a held button let go
        [&] { send_button(true, Button3, 30, 40); },                       // a button pressed
        [&] { send_motion(50, 60); },                                      // a motion
        [&] { send_button(true, Button4, 50, 60); },                       // a wheel notch
        [&] { send_crossing(EnterNotify, NotifyNormal, NotifyAncestor); }, // the pointer entering
        [&] { send_crossing(LeaveNotify, NotifyNormal, NotifyAncestor); }, // and leaving
        [&] { send_client_message(peer_, window_, "XdndDrop", {long(source)}); }, // the drop
        [&] { // and its file list delivered
            XEvent event = {};
            event.xselection.type = SelectionNotify;
            event.xselection.requestor = window_;
            event.xselection.selection = atom("XdndSelection");
            event.xselection.target = uri_list;
            event.xselection.property = atom("PLIM_DROPPED_URI_LIST");
            XSendEvent(peer_, window_, False, NoEventMask, &event);
        },
    };
    std::thread user([&] {
        EXPECT_TRUE(wait_for([&] { return exists("started"); }));
        for (const auto& send : inputs)
            send();
        XEvent expose = {};
        expose.xexpose = {Expose, 0, True, peer_, window_, 0, 0, 720, 480, 0};
        XSendEvent(peer_, window_, False, NoEventMask, &expose);
        XSync(peer_, False);
        EXPECT_TRUE(wait_for([] { return g_paints > 0; })) << "exposed, the window paints";
        XResizeWindow(peer_, window_, 500, 400);
        XSync(peer_, False);
        EXPECT_TRUE(wait_for([] { return g_resized.load(); })) << "it follows a resize";
        send_close_request(peer_, window_);
        EXPECT_TRUE(wait_for([] { return g_closed.load(); })) << "it notes a close request";
        write_text_file("", directory_ + "/release");
    });
    EXPECT_EQ(run_open_dialog(""), "/s/a.plim");
    user.join();
    EXPECT_EQ(g_slot_log, (Log{"keys-reset", "resize 500 400", "close"}));
    EXPECT_EQ(g_repaint_requested, 0) << "the resize's repaint was not left for later";
    EXPECT_EQ(g_running, 0) << "the close request ends the loop";

    g_slot_log.clear();
    settle();
    EXPECT_EQ(g_slot_log, (Log{"mod 0", "motion 30 40"})) << "only where the pointer is now";
    g_slot_log.clear();
    send_button(false, Button3, 30, 40);
    send_key(true, XK_1);
    send_motion(5, 6);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"down 49 0", "up 49 0", "mod 0", "motion 5 6"}))
        << "no stray release, the key and the button no longer held";

    // Outside the window, with the keyboard following the pointer, it is a
    // leave that takes the keyboard along.
    XSetInputFocus(peer_, PointerRoot, RevertToPointerRoot, CurrentTime);
    XWarpPointer(peer_, None, window_, 0, 0, 0, 0, 600, 450);
    settle();
    g_slot_log.clear();
    put_back_pointer_position();
    settle();
    EXPECT_EQ(g_slot_log, (Log{"exit", "unfocus"}));
}
