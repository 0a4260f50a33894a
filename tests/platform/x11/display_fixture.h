#pragma once

// The window layer's window, shown, plus a second X connection (the peer)
// that plays the user, the window manager or another program. Each test
// registers its own recording record as window 0.

// gtest first: X.h defines None, which gtest also uses as a name.
#include <gtest/gtest.h>

#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "platform/window_callbacks.h"
#include "platform/x11/x11_state.h"
#include "tests/platform/x11/gl_driver_pin.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(create_gl_window("PLIM:EI (WIN32)", 720, 480)) << "needs an X server (xvfb-run)";
        keep_gl_driver_loaded();
        show_gl_window();
        peer_ = XOpenDisplay(nullptr);
        ASSERT_NE(peer_, nullptr);
        window_ = gl_window_id();
        // The test windows of parallel test processes overlap; with a backing
        // store the server restores ours without exposing it, so the paints a
        // test sees are the ones it caused.
        XSetWindowAttributes attributes = {};
        attributes.backing_store = Always;
        XChangeWindowAttributes(peer_, window_, CWBackingStore, &attributes);
        settle();  // the exposure of the mapping, before any record listens
    }

    void TearDown() override
    {
        for (WindowCallbacks*& entry : g_windows) {
            entry = nullptr;
        }
        if (peer_ != nullptr) {
            XCloseDisplay(peer_);
        }
        destroy_gl_window();
        g_running = 1;
        g_repaint_requested = 1;
    }

    // Everything either side sent so far has arrived and the window layer
    // has handled its share. Each connection's own requests are ordered, so
    // a round trip on both, before and after the drain, is enough.
    void settle()
    {
        XSync(peer_, False);
        XSync(g_x11.display, False);
        drain_window_events();
        XSync(g_x11.display, False);
        XSync(peer_, False);
    }

    Atom atom(const char* name) { return XInternAtom(peer_, name, False); }

    // A synthetic event for the window, as the server would deliver it.
    void send(XEvent& event)
    {
        event.xany.display = peer_;
        event.xany.window = window_;
        XSendEvent(peer_, window_, False, NoEventMask, &event);
    }

    void send_key(bool press, unsigned long keysym, unsigned int state = 0)
    {
        XEvent event = {};
        XKeyEvent& key = event.xkey;
        key.type = press ? KeyPress : KeyRelease;
        key.root = DefaultRootWindow(peer_);
        key.same_screen = True;
        key.state = state;
        key.keycode = XKeysymToKeycode(peer_, keysym);
        send(event);
    }

    void send_button(bool press, unsigned int button, int x, int y, unsigned int state = 0)
    {
        XEvent event = {};
        XButtonEvent& pointer = event.xbutton;
        pointer.type = press ? ButtonPress : ButtonRelease;
        pointer.root = DefaultRootWindow(peer_);
        pointer.same_screen = True;
        pointer.button = button;
        pointer.state = state;
        pointer.x = x;
        pointer.y = y;
        send(event);
    }

    void send_motion(int x, int y, unsigned int state = 0)
    {
        XEvent event = {};
        XMotionEvent& motion = event.xmotion;
        motion.type = MotionNotify;
        motion.root = DefaultRootWindow(peer_);
        motion.same_screen = True;
        motion.state = state;
        motion.x = x;
        motion.y = y;
        send(event);
    }

    void send_client_message(Atom type, long l0, long l1, long l2, long l3, long l4)
    {
        XEvent event = {};
        XClientMessageEvent& message = event.xclient;
        message.type = ClientMessage;
        message.message_type = type;
        message.format = 32;
        message.data.l[0] = l0;
        message.data.l[1] = l1;
        message.data.l[2] = l2;
        message.data.l[3] = l3;
        message.data.l[4] = l4;
        send(event);
    }

    void send_close_request()
    {
        send_client_message(atom("WM_PROTOCOLS"), static_cast<long>(atom("WM_DELETE_WINDOW")), 0, 0, 0, 0);
    }

    Display* peer_ = nullptr;
    Window window_ = 0;
};
