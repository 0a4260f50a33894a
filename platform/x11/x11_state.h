#pragma once

// Internal to the window layer: the X connection, the one window, its GL
// context and the atoms the layer speaks. Nothing outside platform/x11 sees
// an X type.

#include <X11/Xlib.h>
#include <GL/glx.h>

#include <initializer_list>

struct X11Atoms {
    Atom wm_protocols;
    Atom wm_delete_window;
    Atom net_wm_name;
    Atom net_wm_pid;
    Atom net_wm_icon;
    Atom net_wm_state;
    Atom net_wm_state_fullscreen;
    Atom net_wm_state_maximized_vert;
    Atom net_wm_state_maximized_horz;
    Atom utf8_string;
    Atom xdnd_aware;
    Atom xdnd_enter;
    Atom xdnd_position;
    Atom xdnd_status;
    Atom xdnd_leave;
    Atom xdnd_drop;
    Atom xdnd_finished;
    Atom xdnd_selection;
    Atom xdnd_type_list;
    Atom xdnd_action_copy;
    Atom text_uri_list;
    Atom drop_property; // where the dropped uri-list is delivered to us
};

struct X11Window {
    Display* display = nullptr;
    Window window = 0;
    Colormap colormap = 0;
    GLXContext context = nullptr;
    X11Atoms atoms = {};
};

extern X11Window g_x11;

// Whether the window's atom-list property (such as _NET_WM_STATE or
// XdndTypeList) holds any of the wanted atoms.
bool atom_list_holds(Window window, Atom property, std::initializer_list<Atom> wanted);

// The event handling of the window: one X event in, slot calls out.
void handle_window_event(XEvent& event);
// Forgets held buttons and keys; a new window starts without them.
void reset_input_state();
// The event handling while a native dialog runs: exposure, resizes, focus,
// the keyboard mapping, the clipboard and the close request as usual; key
// and pointer input and drops reach nobody, but a key or button let go is
// no longer held, and the release of a press dropped here is dropped later.
void handle_event_during_dialog(XEvent& event);
// Puts an event at the head of the queue that tells where the pointer is
// now: a motion when it lies in the window, else a leave.
void put_back_pointer_position();

// The drag-and-drop target (x11_drop_target.cpp).
void announce_drop_target();
void handle_drop_message(const XClientMessageEvent& message);
void handle_drop_selection(const XSelectionEvent& selection);

// The clipboard owner (clipboard.cpp): requests for the offered text, and
// the loss of ownership to another program.
void handle_selection_request(const XSelectionRequestEvent& request);
void handle_selection_clear(const XSelectionClearEvent& clear);
