#pragma once

// Refreshing lays the interface out again and, through the top-level panes'
// callbacks, requests a repaint.

struct Application;

// Sets the redraw request, then refreshes the root widget.
void refresh_interface(Application& app);
// The root's refresh alone: its callback, then every child in order.
void refresh_root(Application& app);
// Asks the window for a paint and nothing more: for changes that show
// without a refresh, such as a scroll pane's content moved by the pointer.
// Requests made before the window paints are one paint.
void request_paint(Application& app);
