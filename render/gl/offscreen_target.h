#pragma once

// Off-screen drawing into a framebuffer object (RGBA8 colour, 24-bit depth).
// The target is made on first use, remade only when it must grow or shrink,
// and read back with glReadPixels.

#include <cstdint>
#include <vector>

#include "render/picking.h"

// Binds a target of exactly width x height, making or resizing it first;
// false (nothing bound) when framebuffer objects are missing or the driver
// refuses the target.
bool bind_offscreen_target(OffscreenTarget& target, int width, int height);
// Back to the window's framebuffer.
void unbind_offscreen_target();
// The bound framebuffer's pixels of the rectangle, rows bottom-up as GL
// gives them.
std::vector<std::uint8_t> read_rgba_pixels(int x, int y, int width, int height);
void release_offscreen_target(OffscreenTarget& target);
