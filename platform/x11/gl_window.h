#pragma once

// The one double-buffered OpenGL window of the program (X11 and GLX behind
// the scenes). Everything here runs on the user-interface thread.

#include <cstdint>
#include <string>

struct WindowCallbacks;

struct ClientSize {
    std::int32_t width;
    std::int32_t height;
};

extern std::uint8_t g_running;           // the message loop runs while set
extern std::uint8_t g_window_started;    // set by start_window; no idle or paint slot before
extern std::uint8_t g_repaint_requested; // turned into one paint by the next loop pass
extern ClientSize g_client_size;         // current client area, also read by the renderer

// Opens the display and creates the window (not shown yet) with an RGBA,
// double-buffered visual with a depth buffer and a legacy GL context, made
// current. `width` x `height` is the client area; it cannot be made smaller
// than 360 x 240. On failure the reason goes to standard error and the trace,
// everything made so far is released, and the result is false.
bool create_gl_window(const std::string& title, std::int32_t width, std::int32_t height);

// Maps the window and reads its client size back.
void show_gl_window();

// Releases the context, the window and the display connection; the window
// counts as not started again, and a new one gets the first-paint set-up.
void destroy_gl_window();

// The X window id, for tests and tools that talk to the window from outside.
unsigned long gl_window_id();

// The address of a GL entry point of the current context's driver, or null.
// A non-null result does not prove that the driver supports the function.
void* gl_proc_address(const char* name);

// Starts the record's window: clears the key tables, takes its clear colour
// and icon, marks the window started and calls on_start. The window keeps
// the title it was created with.
void start_window(WindowCallbacks* record);

// One paint: after start the first call sets the default GL state and calls
// on_init, every call then on_paint; the buffers are swapped in any case.
void paint_window();
