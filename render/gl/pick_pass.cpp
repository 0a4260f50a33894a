#include "render/gl/pick_pass.h"

#include <algorithm>
#include <array>
#include <vector>

#include "render/gl/gl_extensions.h"
#include "render/gl/mesh_upload.h"
#include "render/gl/offscreen_target.h"
#include "render/mesh_geometry.h"

namespace {

const void* byte_offset(std::size_t offset)
{
    return reinterpret_cast<const void*>(offset);
}

// Three float positions per corner, then four colour bytes per corner.
struct PickCorners {
    std::vector<float> positions;
    std::vector<std::uint8_t> colours;
};

// Triangle t keeps its own number as its id; triangles naming a missing
// vertex, or numbered past what an id can hold, are left out.
PickCorners build_pick_corners(const Mesh& mesh)
{
    PickCorners corners;
    if (mesh.triangle_indices == nullptr) return corners;
    const U32Array& indices = *mesh.triangle_indices;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    const std::size_t triangles = indices.size() / 3;
    corners.positions.reserve(triangles * 9);
    corners.colours.reserve(triangles * 12);
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t t = 0; t < triangles; ++t) {
        const std::uint32_t* corner = indices.data() + t * 3;
        if (corner[0] >= vertices || corner[1] >= vertices || corner[2] >= vertices) continue;
        if (!encode_pick_id(static_cast<std::int64_t>(t), rgb)) break;
        for (int i = 0; i < 3; ++i) {
            const Vec3d p = mesh_position(mesh, corner[i]);
            corners.positions.insert(
                corners.positions.end(),
                {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])});
            corners.colours.insert(corners.colours.end(), {rgb[0], rgb[1], rgb[2], 255});
        }
    }
    return corners;
}

PickArray make_pick_array(const Mesh& mesh)
{
    const PickCorners corners = build_pick_corners(mesh);
    PickArray array;
    array.mesh_id = mesh.id;
    array.corner_count = static_cast<std::uint32_t>(corners.positions.size() / 3);
    gl::GenBuffers(1, &array.buffer);
    gl::BindBuffer(GL_ARRAY_BUFFER, array.buffer);
    const std::size_t position_bytes = corners.positions.size() * sizeof(float);
    gl::BufferData(GL_ARRAY_BUFFER,
                   static_cast<GLsizeiptr>(position_bytes + corners.colours.size()), nullptr,
                   GL_STATIC_DRAW);
    if (array.corner_count > 0) {
        gl::BufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(position_bytes),
                          corners.positions.data());
        gl::BufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(position_bytes),
                          static_cast<GLsizeiptr>(corners.colours.size()), corners.colours.data());
    }
    return array;
}

const PickArray& pick_array_of(const Mesh& mesh, ImageGlCache& cache)
{
    for (const PickArray& array : cache.pick_arrays)
        if (array.mesh_id == mesh.id) return array;
    cache.pick_arrays.push_back(make_pick_array(mesh));
    return cache.pick_arrays.back();
}

void drop_arrays_not_in(const RenderScene& scene, ImageGlCache& cache)
{
    auto gone = [&](const PickArray& array) {
        const bool shown =
            std::any_of(scene.meshes.begin(), scene.meshes.end(), [&](const SceneMesh& item) {
                return item.mesh != nullptr && item.mesh->id == array.mesh_id;
            });
        if (!shown) gl::DeleteBuffers(1, &array.buffer);
        return !shown;
    };
    std::erase_if(cache.pick_arrays, gone);
}

// Exact colours: nothing may blend, light, dither, sample or texture them.
void begin_pick_state(const RenderScene& scene, const ScenePane& pane, int x, int y)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    if (gl::UseProgram != nullptr) gl::UseProgram(0);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glShadeModel(GL_FLAT);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    if (scene.options.culling)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, 1, 1);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    const Matrix4 projection = pixel_pick_projection(pane, scene.options, x - pane.x, y - pane.y);
    glLoadMatrixf(projection.data());
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void end_pick_state()
{
    if (gl::BindVertexArray != nullptr) gl::BindVertexArray(0);
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

void set_modelview(const Matrix4& view, const Matrix4& model)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.data());
    glMultMatrixf(model.data());
}

std::uint32_t read_id()
{
    std::uint8_t rgba[4] = {255, 255, 255, 255};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return decode_pick_id(rgba);
}

// Every shown mesh in its entity's id (meshes without one in the no-hit
// colour, so they still hide what lies behind them).
void draw_entity_ids(const RenderScene& scene, const Matrix4& view)
{
    for (const SceneMesh& item : scene.meshes) {
        const Mesh* mesh = item.mesh;
        if (mesh == nullptr || mesh->visible == 0 || mesh->vertex_buffer_name == 0) continue;
        if (mesh->uploaded.triangle_index_count == 0) continue;
        std::array<std::uint8_t, 3> rgb{255, 255, 255};
        encode_pick_id(item.pick_id, rgb);
        glColor3ub(rgb[0], rgb[1], rgb[2]);
        set_modelview(view, item.model);
        if (gl::BindVertexArray != nullptr) gl::BindVertexArray(mesh->vertex_array_name);
        gl::BindBuffer(GL_ARRAY_BUFFER, mesh->vertex_buffer_name);
        gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->index_buffer_name);
        // A vertex array object keeps its own enables: set them per mesh.
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, byte_offset(0));
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh->uploaded.triangle_index_count),
                       GL_UNSIGNED_INT, byte_offset(0));
    }
    if (gl::BindVertexArray != nullptr) gl::BindVertexArray(0);
}

std::uint32_t pick_triangle(const SceneMesh& item, const Matrix4& view, ImageGlCache& cache)
{
    const PickArray& array = pick_array_of(*item.mesh, cache);
    if (array.corner_count == 0) return PICK_NONE;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    set_modelview(view, item.model);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ARRAY_BUFFER, array.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, byte_offset(0));
    glColorPointer(4, GL_UNSIGNED_BYTE, 0,
                   byte_offset(std::size_t{array.corner_count} * 3 * sizeof(float)));
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(array.corner_count));
    glDisableClientState(GL_COLOR_ARRAY);
    return read_id();
}

const SceneMesh* mesh_with_id(const RenderScene& scene, std::uint32_t id)
{
    for (const SceneMesh& item : scene.meshes)
        if (item.mesh != nullptr && item.pick_id >= 0 &&
            static_cast<std::uint32_t>(item.pick_id) == id)
            return &item;
    return nullptr;
}

} // namespace

PickResult pick_scene(const RenderScene& scene, int x, int y, ImageGlCache& cache)
{
    PickResult result;
    const int pane_index = pane_at(scene, x, y);
    if (pane_index < 0 || gl::BindBuffer == nullptr) return result;
    drop_arrays_not_in(scene, cache);
    for (const SceneMesh& item : scene.meshes)
        if (item.mesh != nullptr) upload_mesh(*item.mesh);
    if (!bind_offscreen_target(cache.pick_target, 1, 1)) return result;
    const ScenePane& pane = scene.panes[static_cast<std::size_t>(pane_index)];
    begin_pick_state(scene, pane, x, y);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Matrix4 view = view_matrix(pane.camera);
    draw_entity_ids(scene, view);
    result.entity = read_id();
    if (const SceneMesh* hit = mesh_with_id(scene, result.entity))
        result.triangle = pick_triangle(*hit, view, cache);
    else
        result.entity = PICK_NONE;
    end_pick_state();
    unbind_offscreen_target();
    return result;
}

void release_pick_arrays(ImageGlCache& cache)
{
    for (const PickArray& array : cache.pick_arrays)
        if (array.buffer != 0 && gl::DeleteBuffers != nullptr) gl::DeleteBuffers(1, &array.buffer);
    cache.pick_arrays.clear();
}
