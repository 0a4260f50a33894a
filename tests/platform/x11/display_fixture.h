#pragma once

// Shared set-up of the window tests: a recording window record, a GL window
// fixture, and a shown window plus a second X connection (the peer) that
// plays the user, the window manager or another program.

// gtest first: X.h defines None, which gtest also uses as a name.
#include <gtest/gtest.h>

#include "platform/window_callbacks.h"
#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "platform/x11/x11_state.h"
#include "render/gl/gl_extensions.h"
#include "tests/platform/x11/gl_driver_pin.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

// Every slot call of a recording record, one line each: "down 97 0", ...
inline Log g_slot_log;

namespace recording {
inline bool log(std::string line, std::initializer_list<std::int32_t> values = {}) {
    for (std::int32_t value : values) line += " " + std::to_string(value);
    g_slot_log.push_back(line);
    return true;
}
}  // namespace recording

inline WindowCallbacks recording_record() {
    using recording::log;
    using W = WindowCallbacks*;
    using I = std::int32_t;
    WindowCallbacks r = construct_window_record(720, 480, "recording");
    r.on_start = [](W) { return log("start"); };
    r.on_init = [](W) { return log("init"); };
    r.on_paint = [](W) { return log("paint"); };
    r.on_idle = [](W) { return log("idle"); };
    r.on_mouse_button = [](W, I b, I s, I x, I y) { return log("button", {b, s, x, y}); };
    r.on_motion = [](W, I x, I y) { return log("motion", {x, y}); };
    r.on_drag = [](W, I x, I y) { return log("drag", {x, y}); };
    r.on_key_down = [](W, I key, I bits) { return log("down", {key, bits}); };
    r.on_key_up = [](W, I key, I bits) { return log("up", {key, bits}); };
    r.on_resize = [](W, I w, I h) { return log("resize", {w, h}); };
    r.on_drop = [](W, I x, I y, const std::string& text) { return log("drop", {x, y}) && log(text); };
    r.on_close = [](W) { return log("close"); };
    r.on_modifiers = [](W, I bits) { return log("mod", {bits}); };
    r.on_keys_reset = [](W) { return log("keys-reset"); };
    return r;
}

// A GL window of the given size with its entry points loaded.
template <int Width, int Height>
class GlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(create_gl_window("PLIM:EI (WIN32)", Width, Height)) << "needs an X server (xvfb-run)";
        keep_gl_driver_loaded();
        load_gl_extensions();
    }

    void TearDown() override {
        for (WindowCallbacks*& entry : g_windows) entry = nullptr;
        destroy_gl_window();
        g_running = 1;
        g_repaint_requested = 1;
    }
};

// The 720 x 480 window, shown, with record_ registered as window 0.
class DisplayTest : public GlWindowTest<720, 480> {
protected:
    void SetUp() override {
        GlWindowTest::SetUp();
        show_gl_window();
        peer_ = XOpenDisplay(nullptr);
        ASSERT_NE(peer_, nullptr);
        window_ = gl_window_id();
        // Parallel test windows overlap; a backing store keeps the server
        // from exposing ours, so the paints a test sees are its own.
        XSetWindowAttributes attributes = {};
        attributes.backing_store = Always;
        XChangeWindowAttributes(peer_, window_, CWBackingStore, &attributes);
        settle();  // the exposure of the mapping, before the record listens
        record_ = recording_record();
        register_window(&record_, 0);
        g_slot_log.clear();
    }

    void TearDown() override {
        if (peer_ != nullptr) XCloseDisplay(peer_);
        GlWindowTest::TearDown();
    }

    // Starts window 0 and forgets the slot calls so far.
    void start() {
        start_window(&record_);
        g_slot_log.clear();
    }

    // Everything either side sent has arrived and the window layer has
    // handled its share: a round trip on both, before and after the drain.
    void settle() {
        XSync(peer_, False);
        XSync(g_x11.display, False);
        drain_window_events();
        XSync(g_x11.display, False);
        XSync(peer_, False);
    }

    Atom atom(const char* name) { return XInternAtom(peer_, name, False); }

    // A synthetic event for the window, as the server would deliver it.
    void send(XEvent& event) {
        event.xany.display = peer_;
        event.xany.window = window_;
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    }

    // Key, button and motion events share the fields set here.
    template <typename Input>
    void send_input(XEvent& event, Input& input, int type, int x, int y, unsigned int state) {
        input.type = type;
        input.root = DefaultRootWindow(peer_);
        input.same_screen = True;
        input.state = state;
        input.x = x;
        input.y = y;
        send(event);
    }

    void send_key(bool press, unsigned long keysym, unsigned int state = 0) {
        XEvent event = {};
        event.xkey.keycode = XKeysymToKeycode(peer_, keysym);
        send_input(event, event.xkey, press ? KeyPress : KeyRelease, 0, 0, state);
    }

    void send_button(bool press, unsigned int button, int x, int y, unsigned int state = 0) {
        XEvent event = {};
        event.xbutton.button = button;
        send_input(event, event.xbutton, press ? ButtonPress : ButtonRelease, x, y, state);
    }

    void send_motion(int x, int y, unsigned int state = 0) {
        XEvent event = {};
        send_input(event, event.xmotion, MotionNotify, x, y, state);
    }

    void send_client_message(Atom type, long l0, long l1 = 0, long l2 = 0, long l3 = 0, long l4 = 0) {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        const long data[] = {l0, l1, l2, l3, l4};
        std::copy(data, data + 5, event.xclient.data.l);
        send(event);
    }

    void send_close_request() {
        send_client_message(atom("WM_PROTOCOLS"), static_cast<long>(atom("WM_DELETE_WINDOW")));
    }

    Display* peer_ = nullptr;
    Window window_ = 0;
    WindowCallbacks record_;
};
