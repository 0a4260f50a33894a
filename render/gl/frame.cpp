#include "render/gl/frame.h"

#include <GL/gl.h>

#include "lumo/draw_list.h"
#include "lumo/gl/draw_list_gl.h"
#include "lumo/root.h"
#include "platform/services.h"
#include "platform/x11/gl_window.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/scene_renderer.h"

namespace {

using DeleteNames = void (*)(GLsizei count, const GLuint* names);

void delete_names(std::vector<std::uint32_t>& names, DeleteNames delete_fn)
{
    std::vector<GLuint> live;
    for (std::uint32_t name : names)
        if (name != 0) live.push_back(name);
    if (delete_fn != nullptr && !live.empty())
        delete_fn(static_cast<GLsizei>(live.size()), live.data());
    names.clear();
}

void delete_buffer_names(GLsizei count, const GLuint* names)
{
    gl::DeleteBuffers(count, names);
}
void delete_vertex_array_names(GLsizei count, const GLuint* names)
{
    gl::DeleteVertexArrays(count, names);
}

} // namespace

void delete_queued_gl_names(GlDeletionLists lists)
{
    const DeleteNames buffers = gl::DeleteBuffers != nullptr ? delete_buffer_names : nullptr;
    const DeleteNames vertex_arrays =
        gl::DeleteVertexArrays != nullptr ? delete_vertex_array_names : nullptr;
    delete_names(lists.index_buffers, buffers);
    delete_names(lists.buffers, buffers);
    delete_names(lists.vertex_arrays, vertex_arrays);
}

void render_frame(lumo::UI& root, GlDeletionLists lists, const RenderScene* scene)
{
    delete_queued_gl_names(lists);
    const int width = g_client_size.width;
    const int height = g_client_size.height;
    // Laid out first: the scene's panes come from the laid-out view widget.
    root.layout();
    glViewport(0, 0, width, height);
    glClearColor(
        static_cast<GLfloat>(g_clear_colour.red), static_cast<GLfloat>(g_clear_colour.green),
        static_cast<GLfloat>(g_clear_colour.blue), static_cast<GLfloat>(g_clear_colour.alpha));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scene != nullptr) draw_scene(*scene);

    lumo::DrawList list;
    lumo::build_draw_list(root, list);
    lumo::draw_draw_list(list, width, height);
}
