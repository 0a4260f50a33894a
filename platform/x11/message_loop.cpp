#include "platform/x11/message_loop.h"

#include "platform/x11/gl_window.h"
#include "platform/window_callbacks.h"
#include "platform/x11/x11_state.h"

#include <chrono>
#include <thread>

namespace {

// A repaint request becomes a paint of the next pass, after that pass's
// events, as a posted paint message would.
std::uint8_t g_paint_posted = 0;

// Hands every X event waiting for the window to `handle`.
void drain_events_through(void (*handle)(XEvent&))
{
    while (g_x11.display != nullptr && XPending(g_x11.display) > 0) {
        XEvent event;
        XNextEvent(g_x11.display, &event);
        handle(event);
    }
}

// The window's pass while a dialog runs: its events through the dialog's
// handling, then the repaint asked for, at once, since no loop pass comes.
void pump_dialog_events()
{
    drain_events_through(handle_event_during_dialog);
    if (g_window_started && g_repaint_requested) {
        g_repaint_requested = 0;
        paint_window();
    }
}

} // namespace

void drain_window_events()
{
    drain_events_through(handle_window_event);
    if (g_paint_posted) {
        g_paint_posted = 0;
        paint_window();
    }
}

void run_loop_pass()
{
    drain_window_events();
    // An absolute deadline, not a frame-rate limiter: the work is not subtracted.
    std::this_thread::sleep_until(std::chrono::system_clock::now() + std::chrono::milliseconds(10));
    if (!g_window_started) {
        return;
    }
    emit_event(&WindowCallbacks::on_idle);
    if (g_repaint_requested) {
        g_repaint_requested = 0;
        g_paint_posted = 1;
    }
}

void run_message_loop()
{
    while (g_running) {
        run_loop_pass();
    }
}

void announce_client_size()
{
    XWindowAttributes attributes = {};
    if (g_x11.display != nullptr &&
        XGetWindowAttributes(g_x11.display, g_x11.window, &attributes)) {
        g_client_size = {attributes.width, attributes.height};
    }
    emit_event(&WindowCallbacks::on_resize, g_client_size.width, g_client_size.height);
}

ProcessResult run_dialog_process(const std::string& executable, const TextList& arguments)
{
    const ProcessResult result =
        run_process_while_waiting(executable, arguments, pump_dialog_events);
    // The pointer may have moved on while its motion was dropped.
    if (g_x11.display != nullptr && g_x11.window != 0) {
        put_back_pointer_position();
    }
    return result;
}
