#pragma once

// Drawing one frame's draw list through GL 1.1: client arrays of quads in a
// pixel projection (origin top-left, y down) over the given viewport.

#include "lumo/draw_list.h"

namespace lumo {

// Draws the quads in list order, each with its texture (font, atlas, logo
// or none, modulated by the corner colours) and clip rectangle, blended by
// alpha. Quads of a texture not yet made are left out. Every GL state it changes is restored
// afterwards, so the renderer around it keeps its own.
void draw_draw_list(const DrawList& list, int viewport_width, int viewport_height);

} // namespace lumo
