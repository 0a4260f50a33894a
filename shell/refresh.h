#pragma once

// Refreshing lays the interface out again and, through the top-level panes'
// callbacks, requests a repaint.

struct Application;

// Sets the redraw request, then refreshes the root widget.
void refresh_interface(Application& app);
// The root's refresh alone: its callback, then every child in order.
void refresh_root(Application& app);
