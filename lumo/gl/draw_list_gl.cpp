#include "lumo/gl/draw_list_gl.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "lumo/gl/textures.h"

namespace lumo {

namespace {

// One run of consecutive quads that share a texture and a clip rectangle,
// drawn with one call.
struct QuadRun {
    std::size_t first = 0;
    std::size_t count = 0;
    DrawTexture texture = DrawTexture::kNone;
    int clip = -1;
};

// Client arrays of four vertices per quad: position, texture coordinate and
// RGBA bytes.
struct QuadArrays {
    std::vector<GLfloat> positions;
    std::vector<GLfloat> texcoords;
    std::vector<GLubyte> colours;
};

void append_rgba(std::vector<GLubyte>& out, std::uint32_t argb)
{
    out.push_back(static_cast<GLubyte>(argb >> 16));
    out.push_back(static_cast<GLubyte>(argb >> 8));
    out.push_back(static_cast<GLubyte>(argb));
    out.push_back(static_cast<GLubyte>(argb >> 24));
}

// Corners in the order of DrawQuad::colours: top-left, top-right,
// bottom-right, bottom-left.
void append_quad(QuadArrays& arrays, const DrawQuad& quad)
{
    const GLfloat xs[4] = {quad.x0, quad.x1, quad.x1, quad.x0};
    const GLfloat ys[4] = {quad.y0, quad.y0, quad.y1, quad.y1};
    const GLfloat us[4] = {quad.u0, quad.u1, quad.u1, quad.u0};
    const GLfloat vs[4] = {quad.v0, quad.v0, quad.v1, quad.v1};
    for (int corner = 0; corner < 4; ++corner) {
        arrays.positions.insert(arrays.positions.end(), {xs[corner], ys[corner]});
        arrays.texcoords.insert(arrays.texcoords.end(), {us[corner], vs[corner]});
        append_rgba(arrays.colours, quad.colours[corner]);
    }
}

std::vector<QuadRun> split_into_runs(const std::vector<DrawQuad>& quads)
{
    std::vector<QuadRun> runs;
    for (std::size_t i = 0; i < quads.size(); ++i) {
        const DrawQuad& quad = quads[i];
        if (runs.empty() || runs.back().texture != quad.texture || runs.back().clip != quad.clip)
            runs.push_back(QuadRun{i, 0, quad.texture, quad.clip});
        ++runs.back().count;
    }
    return runs;
}

std::uint32_t texture_name(DrawTexture texture)
{
    switch (texture) {
    case DrawTexture::kFont:
        return g_toolkit_textures.font;
    case DrawTexture::kAtlas:
        return g_toolkit_textures.atlas;
    case DrawTexture::kLogo:
        return g_toolkit_textures.logo;
    case DrawTexture::kThumbnails:
        return g_toolkit_textures.thumbnails;
    case DrawTexture::kCapture:
        return g_toolkit_textures.capture;
    case DrawTexture::kNone:
        break;
    }
    return 0;
}

// False for a texture that does not exist (yet): its quads would paint as
// solid boxes, so they are left out.
bool bind_texture(DrawTexture texture)
{
    if (texture == DrawTexture::kNone) {
        glDisable(GL_TEXTURE_2D);
        return true;
    }
    const std::uint32_t name = texture_name(texture);
    if (name == 0) return false;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    return true;
}

// GL counts scissor rows from the bottom; clip rectangles from the top.
void apply_clip(const DrawList& list, int clip, int viewport_height)
{
    if (clip < 0 || clip >= static_cast<int>(list.clips.size())) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    const ClipRect& rect = list.clips[static_cast<std::size_t>(clip)];
    glEnable(GL_SCISSOR_TEST);
    glScissor(rect.x, viewport_height - rect.y - rect.height, rect.width, rect.height);
}

void begin_pixel_projection(int width, int height)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, width, height);
    // The list is already in painting order: later quads lie on top.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void end_pixel_projection()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

} // namespace

void draw_draw_list(const DrawList& list, int viewport_width, int viewport_height)
{
    if (list.quads.empty() || viewport_width <= 0 || viewport_height <= 0) return;
    QuadArrays arrays;
    arrays.positions.reserve(list.quads.size() * 8);
    arrays.texcoords.reserve(list.quads.size() * 8);
    arrays.colours.reserve(list.quads.size() * 16);
    for (const DrawQuad& quad : list.quads)
        append_quad(arrays, quad);

    begin_pixel_projection(viewport_width, viewport_height);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, arrays.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, arrays.texcoords.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, arrays.colours.data());
    for (const QuadRun& run : split_into_runs(list.quads)) {
        if (!bind_texture(run.texture)) continue;
        apply_clip(list, run.clip, viewport_height);
        glDrawArrays(GL_QUADS, static_cast<GLint>(run.first * 4),
                     static_cast<GLsizei>(run.count * 4));
    }
    end_pixel_projection();
}

} // namespace lumo
