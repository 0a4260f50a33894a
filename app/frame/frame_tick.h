#pragma once

// The per-frame update, run from the window's idle slot on every pass of the
// message loop: the start-up sequence until it finishes, then the fade, the
// deferred operations, the environment switch, parameter synchronisation,
// the hover hint and the camera motion, in that order.

struct Application;

void run_frame_tick(Application& app);
