#pragma once

// What lies under the pointer. A move hovers the widget under it; so does
// anything that moves or replaces what lies under a pointer at rest (a
// wheel notch, a key that scrolls or rebuilds a list, a pane that opens, a
// resize), because a row list's click acts on the hovered row.

#include <cstdint>

struct Application;

namespace lumo {
class P;
}

// While the hint bar shows the pick's lines, the pointer over the 3-D view
// keeps them as the hint: the pick replaces them, or takes them away when
// nothing lies under the pointer. `tooltip_before` is the hint widget before
// the hover was worked out at (x, y).
void keep_pick_hint(Application& app, const lumo::P* tooltip_before, std::int32_t x,
                    std::int32_t y);

// Works the hover out again for the pointer at (x, y) on the tree as laid
// out now, without any move callback. True when the hovered or the hint
// widget changed.
bool settle_hover(Application& app, std::int32_t x, std::int32_t y);

// After each layout of a frame, at the pointer's last position. While a
// press holds a widget (a drag, a captured press) the hover stays with it,
// as no move reaches the tree then either.
void settle_hover_after_layout(Application& app);
