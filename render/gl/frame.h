#pragma once

// The whole-frame renderer, run from the paint slot with the GL context
// current. It sees only what it draws: the widget tree and the GL names that
// wait for deletion.

#include <cstdint>
#include <vector>

#include "render/render_scene.h"

namespace lumo {
class UI;
}

// GL names of released meshes, deleted at the start of the next frame.
struct GlDeletionLists {
    std::vector<std::uint32_t>& vertex_arrays;
    std::vector<std::uint32_t>& buffers;
    std::vector<std::uint32_t>& index_buffers;
};

// Deletes the queued GL names (vertex arrays, vertex buffers, index buffers)
// and empties the three lists. Names of 0 are skipped; a list whose entry
// points are missing is only emptied.
void delete_queued_gl_names(GlDeletionLists lists);

// One frame: the queued deletions first, the widget tree laid out for the
// client area, the background in the clear colour, the scene passes when a
// scene is given, then the widget draw list over them.
void render_frame(lumo::UI& root, GlDeletionLists lists, const RenderScene* scene = nullptr);
