#pragma once

// The message loop that drives the whole application, one pass per 10 ms.

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
