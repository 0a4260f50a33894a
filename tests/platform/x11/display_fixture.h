#pragma once

// Shared set-up of the window and GL tests: a recording window record, a GL
// window, and a shown window plus a second X connection (the peer) that
// plays the user, the window manager or another program.

// gtest first: X.h defines None, which gtest also uses as a name.
#include <gtest/gtest.h>

#include "platform/window_callbacks.h"
#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "platform/x11/x11_state.h"
#include "render/gl/gl_extensions.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

using Log = std::vector<std::string>;

// Why a display test is skipped when no X server can be reached.
inline constexpr const char* kNoDisplayReason =
    "no X display (DISPLAY is unset or unreachable): the display tests need an X server, "
    "e.g. run them under xvfb-run";

inline bool display_reachable()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XCloseDisplay(display);
    return true;
}

// Every slot call of a recording record, one line each: "down 97 0", ...
inline Log g_slot_log;

inline bool log_slot(std::string line, std::initializer_list<std::int32_t> values = {})
{
    for (std::int32_t value : values)
        line += " " + std::to_string(value);
    g_slot_log.push_back(line);
    return true;
}

inline WindowCallbacks recording_record()
{
    using W = WindowCallbacks*;
    using I = std::int32_t;
    WindowCallbacks r = construct_window_record(720, 480, "recording");
    r.on_start = [](W) { return log_slot("start"); };
    r.on_init = [](W) { return log_slot("init"); };
    r.on_paint = [](W) { return log_slot("paint"); };
    r.on_idle = [](W) { return log_slot("idle"); };
    r.on_mouse_button = [](W, I b, I s, I x, I y) { return log_slot("button", {b, s, x, y}); };
    r.on_motion = [](W, I x, I y) { return log_slot("motion", {x, y}); };
    r.on_drag = [](W, I x, I y) { return log_slot("drag", {x, y}); };
    r.on_key_down = [](W, I key, I bits) { return log_slot("down", {key, bits}); };
    r.on_key_up = [](W, I key, I bits) { return log_slot("up", {key, bits}); };
    r.on_resize = [](W, I w, I h) { return log_slot("resize", {w, h}); };
    r.on_drop = [](W, I x, I y, const std::string& text) {
        return log_slot("drop", {x, y}) && log_slot(text);
    };
    r.on_close = [](W) { return log_slot("close"); };
    r.on_modifiers = [](W, I bits) { return log_slot("mod", {bits}); };
    r.on_keys_reset = [](W) { return log_slot("keys-reset"); };
    return r;
}

// The 32-bit items of a window property (Xlib hands them over as longs).
inline std::vector<std::uint32_t> cardinal_property(Display* display, Window window,
                                                    const char* name)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<std::uint32_t> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 16, False,
                           AnyPropertyType, &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr && format == 32) {
        items.assign(reinterpret_cast<const long*>(data),
                     reinterpret_cast<const long*>(data) + count);
    }
    XFree(data);
    return items;
}

// A 32-bit client message to `window`, e.g. WM_PROTOCOLS / WM_DELETE_WINDOW.
inline void send_client_message(Display* display, Window window, const char* type,
                                std::vector<long> data)
{
    XEvent event = {};
    event.xclient = {
        ClientMessage, 0, True, display, window, XInternAtom(display, type, False), 32, {}};
    std::copy(data.begin(), data.end(), event.xclient.data.l);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

inline void send_close_request(Display* display, Window window)
{
    send_client_message(display, window, "WM_PROTOCOLS",
                        {long(XInternAtom(display, "WM_DELETE_WINDOW", False))});
}

// Mesa unloads its DRI driver when the display connection closes, and the
// blocks it still holds then look leaked. Once a context exists this keeps
// the driver loaded to the end; real leaks are still reported.
inline void keep_gl_driver_loaded()
{
    auto pin = [](dl_phdr_info* library, std::size_t, void*) {
        const char* name = library->dlpi_name;
        if (name != nullptr && std::strstr(name, "_dri.so") != nullptr) {
            dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
    };
    dl_iterate_phdr(pin, nullptr);
}

// A GL window of the given size with its entry points loaded. Without an X
// server the test is skipped; a fixture deriving from this one returns from
// its own SetUp when IsSkipped(), so it touches no window it did not get.
template <int Width, int Height> class GlWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        ASSERT_TRUE(create_gl_window("PLIM:EI (WIN32)", Width, Height))
            << "needs an X server (xvfb-run)";
        keep_gl_driver_loaded();
        load_gl_extensions();
    }

    void TearDown() override
    {
        for (WindowCallbacks*& entry : g_windows)
            entry = nullptr;
        destroy_gl_window();
        g_running = 1;
        g_repaint_requested = 1;
    }
};

// The 720 x 480 window, shown, with record_ registered as window 0.
class DisplayTest : public GlWindowTest<720, 480> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        show_gl_window();
        peer_ = XOpenDisplay(nullptr);
        ASSERT_NE(peer_, nullptr);
        window_ = gl_window_id();
        // Parallel test windows overlap; a backing store keeps the server
        // from exposing ours, so the paints a test sees are its own.
        XSetWindowAttributes attributes = {};
        attributes.backing_store = Always;
        XChangeWindowAttributes(peer_, window_, CWBackingStore, &attributes);
        settle(); // the exposure of the mapping, before the record listens
        record_ = recording_record();
        register_window(&record_, 0);
        g_slot_log.clear();
    }

    void TearDown() override
    {
        if (peer_ != nullptr) XCloseDisplay(peer_);
        GlWindowTest::TearDown();
    }

    // Starts window 0 and forgets the slot calls so far.
    void start()
    {
        start_window(&record_);
        g_slot_log.clear();
    }

    // Everything either side sent has arrived and the window layer has
    // handled its share: a round trip on both, before and after the drain.
    void settle()
    {
        XSync(peer_, False);
        XSync(g_x11.display, False);
        drain_window_events();
        XSync(g_x11.display, False);
        XSync(peer_, False);
    }

    Atom atom(const char* name) { return XInternAtom(peer_, name, False); }

    // A key (`detail` a keysym), button or motion event, as the server
    // would deliver it; the three share the fields set here.
    template <typename Input>
    void send_input(Input XEvent::*member, int type, unsigned int detail, int x, int y,
                    unsigned int state)
    {
        XEvent event = {};
        Input& input = event.*member;
        input = {type, 0, True,  peer_, window_, DefaultRootWindow(peer_), 0, CurrentTime, x, y,
                 0,    0, state, {},    True};
        if constexpr (std::is_same_v<Input, XKeyEvent>)
            input.keycode = XKeysymToKeycode(peer_, detail);
        if constexpr (std::is_same_v<Input, XButtonEvent>) input.button = detail;
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    }

    void send_key(bool press, unsigned long keysym, unsigned int state = 0)
    {
        send_input(&XEvent::xkey, press ? KeyPress : KeyRelease, keysym, 0, 0, state);
    }
    void send_button(bool press, unsigned int button, int x, int y, unsigned int state = 0)
    {
        send_input(&XEvent::xbutton, press ? ButtonPress : ButtonRelease, button, x, y, state);
    }
    void send_motion(int x, int y, unsigned int state = 0)
    {
        send_input(&XEvent::xmotion, MotionNotify, 0, x, y, state);
    }
    // The pointer crossing the window's edge; `focus` tells whether the
    // keyboard focus is on the window.
    void send_crossing(int type, int mode, int detail, Bool focus = False)
    {
        XEvent event = {};
        event.xcrossing = {type, 0,           True, peer_, window_, DefaultRootWindow(peer_),
                           0,    CurrentTime, 0,    0,     0,       0,
                           mode, detail,      True, focus, 0};
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    }

    Display* peer_ = nullptr;
    Window window_ = 0;
    WindowCallbacks record_;
};
