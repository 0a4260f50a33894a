#pragma once

// The root layout: every top-level widget placed from the client size, the
// layout metrics and the panel flags, by integer arithmetic alone.

#include <cstdint>

struct Application;

namespace lumo {
class P;
}

// Places every top-level widget for a client area of width x height.
void lay_out_root(Application& app, int width, int height);

// The 3-D view rectangle (kept in the application for the renderer) and the
// 3-D view widget's rectangle and insets.
void lay_out_view_panels(Application& app, int width, int height);

// Points the 3-D view rectangle at pane `pane` of the 3-D view widget, or at
// the widget itself when there is no such pane.
void select_subview_rect(Application& app, int pane);

void set_rect(lumo::P& widget, int x, int y, int width, int height);
