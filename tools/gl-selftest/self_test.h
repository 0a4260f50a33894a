#pragma once

// The platform self-check: a small window whose slots trace every event and
// whose paint draws an orange test triangle on grey with a GLSL 1.20 program.
// It exercises the window layer, the services and the GL loading without the
// application.

// Registers the self-test record (360 x 360, "ZARNO:Windows-Win32", clear
// colour 0xFF405060) as window 0, starts it and writes the platform's time,
// date, date-time and clipboard texts to the trace. The window must exist.
void platform_self_test(int argc, char** argv);

// Clears to grey (0.5, 0.5, 0.5) and draws the triangle (0, 0.5),
// (-0.5, -0.35), (0.5, -0.35) in (1, 0.75, 0); builds its program and buffers
// on first use.
void gl_test_triangle();
