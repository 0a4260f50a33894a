#pragma once

// The message loop that drives the whole application, one pass per 10 ms,
// and the window's own pass while a native dialog runs.

#include "platform/process.h"

// Handles every X event waiting for the window, then the paint a previous
// pass posted.
void drain_window_events();

// One pass: drain the events; sleep until 10 ms after now; once the window
// has started, call on_idle and turn a pending repaint request into a paint
// for the next pass.
void run_loop_pass();

// Passes until the window is closed; the pass that sees the close finishes.
void run_message_loop();

// Reads the client size again and hands it to on_resize, so that the
// application lays itself out for the real size before the first pass.
void announce_client_size();

// Runs a native dialog's process as run_process_with_status does, keeping
// the window alive meanwhile: about every 10 ms the window handles its
// waiting events, repainting on exposure and following resizes, and paints
// a requested repaint. It takes no key or pointer input and no drop
// meanwhile: they are dropped, not kept for later, and a button pressed
// during the dialog sends no release after it. A close request ends the loop
// once the dialog has. When it returns, one event at the head of the queue
// lets the next pass see where the pointer is now; nothing of it reaches the
// application from inside this call.
ProcessResult run_dialog_process(const std::string& executable, const TextList& arguments);
