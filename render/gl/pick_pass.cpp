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

bool in_scene(const RenderScene& scene, std::uint32_t mesh_id)
{
    return std::any_of(scene.meshes.begin(), scene.meshes.end(), [&](const SceneMesh& item) {
        return item.mesh != nullptr && item.mesh->id == mesh_id;
    });
}

void drop_arrays_not_in(const RenderScene& scene, ImageGlCache& cache)
{
    auto gone = [&](const PickArray& array) {
        const bool shown = in_scene(scene, array.mesh_id);
        if (!shown) gl::DeleteBuffers(1, &array.buffer);
        return !shown;
    };
    std::erase_if(cache.pick_arrays, gone);
    std::erase_if(cache.pick_bounds,
                  [&](const PickBounds& bounds) { return !in_scene(scene, bounds.mesh_id); });
}

const std::array<double, 6>& bounds_of(const Mesh& mesh, ImageGlCache& cache)
{
    for (const PickBounds& bounds : cache.pick_bounds)
        if (bounds.mesh_id == mesh.id) return bounds.box;
    cache.pick_bounds.push_back({mesh.id, vertex_bounds(mesh)});
    return cache.pick_bounds.back().box;
}

bool drawable(const Mesh* mesh)
{
    return mesh != nullptr && mesh->visible != 0 && mesh->vertex_buffer_name != 0 &&
           mesh->uploaded.triangle_index_count != 0;
}

// The meshes that may cover the pixel: whose bounds show through its view.
// Meshes elsewhere on the screen cost the passes nothing.
std::vector<const SceneMesh*>
meshes_under_pixel(const RenderScene& scene, const Matrix4& clip_from_world, ImageGlCache& cache)
{
    std::vector<const SceneMesh*> under;
    for (const SceneMesh& item : scene.meshes)
        if (drawable(item.mesh) &&
            box_may_show(multiply(clip_from_world, item.model), bounds_of(*item.mesh, cache)))
            under.push_back(&item);
    return under;
}

// Exact colours: nothing may blend, light, dither, sample or texture them.
void begin_pick_state(const RenderScene& scene, const Matrix4& projection)
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

// Each mesh in its entity's id (meshes without one in the no-hit
// colour, so they still hide what lies behind them).
void draw_entity_ids(const std::vector<const SceneMesh*>& meshes, const Matrix4& view)
{
    for (const SceneMesh* under : meshes) {
        const SceneMesh& item = *under;
        const Mesh* mesh = item.mesh;
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

std::uint32_t pick_triangle(const SceneMesh& item, const Matrix4& view, const PickArray& array)
{
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

const SceneMesh* mesh_with_id(const std::vector<const SceneMesh*>& meshes, std::uint32_t id)
{
    for (const SceneMesh* item : meshes)
        if (item->pick_id >= 0 && static_cast<std::uint32_t>(item->pick_id) == id) return item;
    return nullptr;
}

// A lone entity under the pixel needs no entity pass: its triangle pass
// tells hit from miss, as long as its array holds every drawn triangle.
bool triangle_pass_alone_decides(const std::vector<const SceneMesh*>& meshes,
                                 const PickArray* array)
{
    return meshes.size() == 1 && meshes.front()->pick_id >= 0 && array != nullptr &&
           array->corner_count == meshes.front()->mesh->uploaded.triangle_index_count;
}

PickResult pick_among(const std::vector<const SceneMesh*>& meshes, const Matrix4& view,
                      ImageGlCache& cache)
{
    PickResult result;
    if (meshes.size() == 1 && meshes.front()->pick_id >= 0) {
        const PickArray& array = pick_array_of(*meshes.front()->mesh, cache);
        if (triangle_pass_alone_decides(meshes, &array)) {
            result.triangle = pick_triangle(*meshes.front(), view, array);
            if (result.triangle != PICK_NONE)
                result.entity = static_cast<std::uint32_t>(meshes.front()->pick_id);
            return result;
        }
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_entity_ids(meshes, view);
    const SceneMesh* hit = mesh_with_id(meshes, read_id());
    if (hit == nullptr) return result;
    result.entity = static_cast<std::uint32_t>(hit->pick_id);
    result.triangle = pick_triangle(*hit, view, pick_array_of(*hit->mesh, cache));
    return result;
}

} // namespace

PickResult pick_scene(const RenderScene& scene, int x, int y, ImageGlCache& cache)
{
    const int pane_index = pane_at(scene, x, y);
    if (pane_index < 0 || gl::BindBuffer == nullptr) return {};
    drop_arrays_not_in(scene, cache);
    for (const SceneMesh& item : scene.meshes)
        if (item.mesh != nullptr) upload_mesh(*item.mesh);
    const ScenePane& pane = scene.panes[static_cast<std::size_t>(pane_index)];
    const Matrix4 projection = pixel_pick_projection(pane, scene.options, x - pane.x, y - pane.y);
    const Matrix4 view = view_matrix(pane.camera);
    const std::vector<const SceneMesh*> under =
        meshes_under_pixel(scene, multiply(projection, view), cache);
    if (under.empty() || !bind_offscreen_target(cache.pick_target, 1, 1)) return {};
    begin_pick_state(scene, projection);
    const PickResult result = pick_among(under, view, cache);
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
