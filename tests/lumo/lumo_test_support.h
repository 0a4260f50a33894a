#pragma once

// The toolkit's widgets and small helpers shared by its tests.

#include <string>
#include <vector>

#include "lumo/container.h"
#include "lumo/font.h"
#include "lumo/layouts.h"
#include "lumo/root.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"
#include "lumo/view_layout.h"

namespace lumo {

// Sets a widget's rectangle (relative to its parent) and returns it.
template <typename Widget> Widget& place(Widget& widget, int x, int y, int width, int height)
{
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
    return widget;
}

// A widget's rectangle as {x, y, width, height}, for one-line comparisons.
inline std::vector<int> rect_of(const P& widget)
{
    return {widget.x, widget.y, widget.width, widget.height};
}

// Clears the capture, drag and focus a test may leave behind.
inline void clear_pointer_globals()
{
    g_active_widget_id = -1;
    g_drag_widget = nullptr;
    g_focused_widget = nullptr;
}

} // namespace lumo
