// Synthetic X events sent from the peer reach the slots of window 0 in the
// order the application relies on.

#include "tests/platform/x11/display_fixture.h"

#include <X11/keysym.h>

#include <sstream>

// The expected slot log written as one text, its entries parted by ';'.
static Log log_of(const std::string& entries)
{
    Log log;
    std::istringstream stream(entries);
    for (std::string entry; std::getline(stream, entry, ';');)
        log.push_back(entry);
    return log;
}

class InputEvents : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped()) return;
        record_.on_paint = nullptr; // expose paints are not input
        record_.on_init = nullptr;
        start();
    }

    void key_stroke(unsigned long keysym, unsigned int state = 0)
    {
        send_key(true, keysym, state);
        send_key(false, keysym, state);
    }
};

TEST_F(InputEvents, KeyPathLettersFollowShiftOnlyAndNavigationKeysRepeat)
{
    for (unsigned int state : {0, ShiftMask, LockMask, ControlMask})
        key_stroke(XK_a, state);
    send_key(true, XK_Left);
    send_key(true, XK_Left); // auto-repeat
    send_key(false, XK_Left);
    key_stroke(XK_Home, ShiftMask);
    for (unsigned long keysym : {XK_Page_Up, XK_Return, XK_space})
        key_stroke(keysym);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"mod 0", "down 97 0",  "mod 0", "up 97 0",                         //
                               "mod 4", "down 65 4",  "mod 4", "up 65 4",                         //
                               "mod 0", "down 97 0",  "mod 0", "up 97 0",                         //
                               "mod 8", "down 97 8",  "mod 8", "up 97 8",                         //
                               "mod 0", "down 500 0", "mod 0", "down 500 0", "mod 0", "up 500 0", //
                               "mod 4", "down 520 4", "mod 4", "up 520 4",                        //
                               "mod 0", "down 523 0", "mod 0", "up 523 0",                        //
                               "mod 0", "down 13 0",  "mod 0", "up 13 0",                         //
                               "mod 0", "down 32 0",  "mod 0", "up 32 0"}));
}

TEST_F(InputEvents, CharacterPathGivesOneDownUpPairPerPressAndOtherKeysNothing)
{
    send_key(true, XK_1);
    send_key(true, XK_1); // auto-repeat: types nothing more
    send_key(false, XK_1);
    key_stroke(XK_1, ShiftMask);
    key_stroke(XK_7, ControlMask);
    key_stroke(XK_minus);
    for (unsigned long silent : {XK_Shift_L, XK_Control_L, XK_F5, XK_Delete})
        key_stroke(silent);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"down 49 0", "up 49 0", "down 33 4", "up 33 4", //
                               "down 55 8", "up 55 8", "down 45 0", "up 45 0"}));
}

TEST_F(InputEvents, ButtonsMotionDragsAndWheelNotches)
{
    send_motion(5, 6);
    send_button(true, Button1, 10, 20);
    send_motion(15, 25, Button1Mask);
    send_button(false, Button1, 15, 25, Button1Mask | ControlMask);
    send_button(true, Button3, 1, 2);
    send_motion(3, 4);
    send_button(false, Button3, 3, 4);
    send_button(true, Button2, 5, 6, ShiftMask);
    send_button(false, Button2, 5, 6, ShiftMask);
    send_motion(40, 50);
    // Each notch (a press of 4 to 7) is one call at the last pointer
    // position; releases give nothing.
    for (unsigned int wheel : {4, 5, 6, 7}) {
        send_button(true, wheel, 1, 1);
        send_button(false, wheel, 1, 1);
    }
    settle();
    EXPECT_EQ(g_slot_log, log_of("mod 0;motion 5 6;mod 0;button 0 0 10 20;mod 0;drag 15 25;"
                                 "mod 8;button 0 1 15 25;"
                                 "mod 0;button 2 0 1 2;mod 0;drag 3 4;mod 0;button 2 1 3 4;"
                                 "mod 4;button 1 0 5 6;mod 4;button 1 1 5 6;"
                                 "mod 0;motion 40 50;button 3 0 40 50;button 4 0 40 50;"
                                 "button 3 0 40 50;button 4 0 40 50"));
}

TEST_F(InputEvents, CloseRequestCallsTheCloseSlotAndEndsTheLoopAfterThatPass)
{
    send_motion(7, 8);
    send_close_request(peer_, window_);
    XSync(peer_, False);
    XSync(g_x11.display, False);
    run_message_loop();
    EXPECT_EQ(g_slot_log, (Log{"mod 0", "motion 7 8", "close", "idle"}));
    EXPECT_EQ(g_running, 0);
}

// The pointer crossing the window's edge and the focus coming in reach their
// slots; a grab's crossings and moves within the window do not.
TEST_F(InputEvents, CrossingsAndFocusReachTheirSlots)
{
    record_.on_enter = [](WindowCallbacks*) { return log_slot("enter"); };
    record_.on_exit = [](WindowCallbacks*) { return log_slot("exit"); };
    record_.on_focus = [](WindowCallbacks*) { return log_slot("focus"); };
    auto focus_in = [&](int detail) {
        XEvent event{};
        event.xfocus = {FocusIn, 0, True, peer_, window_, NotifyNormal, detail};
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    };
    send_crossing(EnterNotify, NotifyNormal, NotifyAncestor);
    send_crossing(LeaveNotify, NotifyGrab, NotifyAncestor);
    send_crossing(LeaveNotify, NotifyNormal, NotifyInferior);
    send_crossing(LeaveNotify, NotifyNormal, NotifyNonlinear);
    focus_in(NotifyInferior);
    focus_in(NotifyNonlinear);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"enter", "exit", "focus"}));
}

TEST_F(InputEvents, FocusLossReachesTheUnfocusSlotAndForgetsHeldKeys)
{
    record_.on_unfocus = [](WindowCallbacks*) { return log_slot("unfocus"); };
    auto focus_out = [&](int detail) {
        XEvent event{};
        event.xfocus = {FocusOut, 0, True, peer_, window_, NotifyNormal, detail};
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    };
    send_key(true, XK_1);
    focus_out(NotifyInferior); // the focus stays inside the window
    send_key(true, XK_1);      // still held: an auto-repeat
    focus_out(NotifyNonlinear);
    send_key(true, XK_1); // its release went elsewhere: a new press
    settle();
    EXPECT_EQ(g_slot_log, (Log{"down 49 0", "up 49 0", "unfocus", "down 49 0", "up 49 0"}));
}

// Without a window manager the keyboard follows the pointer out, and no
// focus event says so: a key held then is forgotten as on a focus loss, so
// pressed again it is a new press, not a repeat. A plain leave counts unless
// the focus is on the window itself.
TEST_F(InputEvents, LeavingWithTheKeyboardForgetsHeldKeys)
{
    record_.on_exit = [](WindowCallbacks*) { return log_slot("exit"); };
    record_.on_unfocus = [](WindowCallbacks*) { return log_slot("unfocus"); };
    struct Leave {
        const char* name;
        Window focus;
        int mode, detail;
        Log log;
    };
    const Log forgotten = {"exit", "unfocus", "down 49 0", "up 49 0"};
    const Leave leaves[] = {
        {"the focus on the pointer's root", PointerRoot, NotifyNormal, NotifyNonlinear, forgotten},
        {"the focus on the root window", DefaultRootWindow(peer_), NotifyNormal, NotifyAncestor,
         forgotten},
        {"no focus", None, NotifyNormal, NotifyNonlinear, forgotten},
        {"the focus on the window", window_, NotifyNormal, NotifyNonlinear, {"exit"}},
        {"a grab takes the pointer", PointerRoot, NotifyGrab, NotifyAncestor, {}},
        {"into a child window", PointerRoot, NotifyNormal, NotifyInferior, {}},
    };
    for (const Leave& leave : leaves) {
        SCOPED_TRACE(leave.name);
        XSetInputFocus(peer_, leave.focus, RevertToPointerRoot, CurrentTime);
        send_key(true, XK_1);
        settle();
        g_slot_log.clear();
        // The server marks a leave as focused whenever the keyboard is not elsewhere.
        send_crossing(LeaveNotify, leave.mode, leave.detail, leave.focus != None);
        send_key(true, XK_1);
        settle();
        EXPECT_EQ(g_slot_log, leave.log);
        send_key(false, XK_1);
        settle();
    }
    XSetInputFocus(peer_, PointerRoot, RevertToPointerRoot, CurrentTime);
}
