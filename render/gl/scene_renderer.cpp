#include "render/gl/scene_renderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/gl/entity_shaders.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/gl_program.h"
#include "render/gl/mesh_upload.h"
#include "render/picking.h"

namespace {

// The de-duplicated edge lists: polygon outlines, the further triangle edges,
// and the edges that bound the smooth groups (open edges among them), which
// the outlines leave out.
enum EdgeList : int { EDGES_POLYGONS = 0, EDGES_DIAGONALS = 1, EDGES_SMOOTH_GROUPS = 2 };

// Eye-space position of light 0, as the default lighting places it.
constexpr float LIGHT_POSITION[3] = {5.0f, 7.5f, 10.0f};

const void* byte_offset(std::size_t offset)
{
    return reinterpret_cast<const void*>(offset);
}

float tone_grey(int tone)
{
    return static_cast<float>(std::clamp(tone, 0, 8)) / 8.0f;
}

// The brighter stop of the gradient: the clear colour moved towards white.
std::array<float, 3> lighter(const std::array<float, 4>& colour, double intensity)
{
    const float t = static_cast<float>(std::clamp(intensity, 0.0, 1.0));
    return {colour[0] + (1.0f - colour[0]) * t, colour[1] + (1.0f - colour[1]) * t,
            colour[2] + (1.0f - colour[2]) * t};
}

void load_identity_matrices()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A full-window quad (linear: lighter at the top) or fan (radial: lighter in
// the middle) behind everything.
void draw_gradient(const RenderScene& scene)
{
    if (scene.gradient != GRADIENT_LINEAR && scene.gradient != GRADIENT_RADIAL) return;
    const std::array<float, 3> light = lighter(scene.clear_colour, scene.gradient_intensity);
    const std::array<float, 4>& dark = scene.clear_colour;
    glViewport(0, 0, scene.window_width, scene.window_height);
    load_identity_matrices();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    if (scene.gradient == GRADIENT_LINEAR) {
        glBegin(GL_QUADS);
        glColor3f(dark[0], dark[1], dark[2]);
        glVertex2f(-1.0f, -1.0f);
        glVertex2f(1.0f, -1.0f);
        glColor3f(light[0], light[1], light[2]);
        glVertex2f(1.0f, 1.0f);
        glVertex2f(-1.0f, 1.0f);
        glEnd();
        return;
    }
    glBegin(GL_TRIANGLE_FAN);
    glColor3f(light[0], light[1], light[2]);
    glVertex2f(0.0f, 0.0f);
    glColor3f(dark[0], dark[1], dark[2]);
    for (int i = 0; i <= 32; ++i) {
        const double angle = i * 2.0 * 3.14159265358979 / 32.0;
        glVertex2f(static_cast<float>(1.5 * std::cos(angle)),
                   static_cast<float>(1.5 * std::sin(angle)));
    }
    glEnd();
}

void set_projection(const ScenePane& pane, const SceneOptions& options)
{
    const Matrix4 projection = pane_projection(pane, options);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.data());
}

// The view matrix times the model matrix on the modelview stack.
void set_modelview(const Matrix4& view, const Matrix4& model)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.data());
    glMultMatrixf(model.data());
}

bool bind_mesh_arrays(const Mesh& mesh)
{
    if (mesh.vertex_buffer_name == 0 || mesh.uploaded.vertex_count == 0) return false;
    if (gl::BindVertexArray != nullptr) gl::BindVertexArray(mesh.vertex_array_name);
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.index_buffer_name);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, byte_offset(0));
    glNormalPointer(GL_FLOAT, 0, byte_offset(normal_block_offset(mesh.uploaded)));
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, byte_offset(colour_block_offset(mesh.uploaded)));
    return true;
}

void unbind_mesh_arrays()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (gl::BindVertexArray != nullptr) gl::BindVertexArray(0);
}

void set_uniform_int(GLuint program, const char* name, int value)
{
    gl::Uniform1i(gl::GetUniformLocation(program, name), value);
}

void set_uniform_float(GLuint program, const char* name, double value)
{
    gl::Uniform1f(gl::GetUniformLocation(program, name), static_cast<float>(value));
}

GLuint entity_program(RendererCache* cache)
{
    if (cache == nullptr || gl::CreateProgram == nullptr) return 0;
    if (!cache->program_tried) {
        cache->program_tried = true;
        cache->entity_program = build_gl_program(g_entity_vertex_shader, g_entity_fragment_shader);
    }
    return cache->entity_program;
}

// Lit surfaces: the GLSL program with its uniforms, or the fixed-function
// lighting when the program is off or could not be built.
void begin_surface_shading(const RenderScene& scene)
{
    const SceneOptions& o = scene.options;
    const GLuint program = o.programmable ? entity_program(scene.cache) : 0;
    if (program != 0) {
        glDisable(GL_LIGHTING);
        gl::UseProgram(program);
        set_uniform_int(program, "flat_shading", o.smooth_shading ? 0 : 1);
        set_uniform_int(program, "unlit", o.unlit ? 1 : 0);
        set_uniform_int(program, "brighten", o.brighten ? 1 : 0);
        set_uniform_int(program, "silhouette", o.silhouette ? 1 : 0);
        set_uniform_int(program, "x_ray", o.x_ray ? 1 : 0);
        set_uniform_int(program, "negative", o.negative ? 1 : 0);
        static const char* const term_names[6] = {"ambient_term",  "diffuse_term",
                                                  "specular_term", "occlusion_term",
                                                  "emission_term", "reflection_term"};
        for (std::size_t t = 0; t < 6; ++t)
            set_uniform_float(program, term_names[t], o.terms[t] ? 1.0 : 0.0);
        set_uniform_float(program, "light_intensity", o.light_intensity);
        set_uniform_float(program, "silhouette_tone", tone_grey(o.silhouette_tone));
        gl::Uniform3f(gl::GetUniformLocation(program, "light_position"), LIGHT_POSITION[0],
                      LIGHT_POSITION[1], LIGHT_POSITION[2]);
        if (o.x_ray) glDepthMask(GL_FALSE);
        return;
    }
    glShadeModel(o.smooth_shading ? GL_SMOOTH : GL_FLAT);
    if (o.unlit) {
        glDisable(GL_LIGHTING);
        return;
    }
    set_up_light0(o.terms[0], o.terms[1], o.terms[2]);
    glEnable(GL_LIGHTING);
}

void end_surface_shading()
{
    if (gl::UseProgram != nullptr) gl::UseProgram(0);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
}

void draw_edges(const Mesh& mesh, int which, const SceneOptions& options)
{
    const std::uint32_t count = mesh.uploaded.edge_index_counts[which];
    if (count == 0) return;
    if (options.mono_edge) {
        glDisableClientState(GL_COLOR_ARRAY);
        const float grey = tone_grey(options.mono_edge_tone);
        glColor4f(grey, grey, grey, 1.0f);
    }
    glDrawElements(GL_LINES, static_cast<GLsizei>(count), GL_UNSIGNED_INT,
                   byte_offset(edge_block_offset(mesh.uploaded, which)));
    glEnableClientState(GL_COLOR_ARRAY);
}

void draw_points(const Mesh& mesh, const SceneOptions& options)
{
    if (options.mono_dot) {
        glDisableClientState(GL_COLOR_ARRAY);
        const float grey = tone_grey(options.mono_dot_tone);
        glColor4f(grey, grey, grey, 1.0f);
    }
    glPointSize(2.0f);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(mesh.uploaded.vertex_count));
    glEnableClientState(GL_COLOR_ARRAY);
}

void draw_mesh(const RenderScene& scene, const Mesh& mesh)
{
    const SceneOptions& o = scene.options;
    if (!bind_mesh_arrays(mesh)) return;
    if (o.surface && mesh.uploaded.triangle_index_count > 0) {
        // The surface steps back a little so that edges drawn over it show.
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 1.0f);
        // An opaque surface is drawn without blending, which would only read
        // back every pixel to mix it with nothing.
        const bool blended = o.x_ray || mesh.uploaded.translucent;
        if (!blended) glDisable(GL_BLEND);
        begin_surface_shading(scene);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.uploaded.triangle_index_count),
                       GL_UNSIGNED_INT, byte_offset(0));
        end_surface_shading();
        if (!blended) glEnable(GL_BLEND);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    // Polygons show every outline, the smooth-group bounds included;
    // triangles add the diagonals.
    if (o.polygons || o.triangles) draw_edges(mesh, EDGES_POLYGONS, o);
    if (o.triangles) draw_edges(mesh, EDGES_DIAGONALS, o);
    if (o.polygons || o.triangles || o.smooth_groups) draw_edges(mesh, EDGES_SMOOTH_GROUPS, o);
    if (o.points) draw_points(mesh, o);
    unbind_mesh_arrays();
}

// A world widget mesh, unlit, in its own colours; the grid translucent with
// Alpha-Grid and standing in the xy plane with Upright-Grid.
void draw_widget_mesh(const Mesh& mesh, const Matrix4& view, const SceneOptions& options, bool grid)
{
    const float s = static_cast<float>(usable_scale(options.world_scale));
    Matrix4 model{s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1};
    if (grid && options.upright_grid) model = {s, 0, 0, 0, 0, 0, s, 0, 0, -s, 0, 0, 0, 0, 0, 1};
    set_modelview(view, model);
    if (!bind_mesh_arrays(mesh)) return;
    if (grid && options.alpha_grid) {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(0.5f, 0.5f, 0.5f, 0.35f);
    }
    if (mesh.uploaded.triangle_index_count > 0)
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.uploaded.triangle_index_count),
                       GL_UNSIGNED_INT, byte_offset(0));
    if (mesh.uploaded.triangle_index_count == 0)
        for (int which : {EDGES_POLYGONS, EDGES_SMOOTH_GROUPS}) {
            const std::uint32_t edges = mesh.uploaded.edge_index_counts[which];
            if (edges > 0)
                glDrawElements(GL_LINES, static_cast<GLsizei>(edges), GL_UNSIGNED_INT,
                               byte_offset(edge_block_offset(mesh.uploaded, which)));
        }
    unbind_mesh_arrays();
}

void draw_bounds_box(const RenderScene& scene, const Matrix4& view)
{
    const Matrix4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    set_modelview(view, identity);
    const std::array<double, 6>& b = scene.bounds;
    glColor4f(1.0f, 0.75f, 0.0f, 1.0f);
    glBegin(GL_LINES);
    for (int edge = 0; edge < 12; ++edge) {
        // The 12 edges of a box: 4 along each axis.
        const int axis = edge / 4;
        const int u = (axis + 1) % 3;
        const int v = (axis + 2) % 3;
        for (int end = 0; end < 2; ++end) {
            double p[3];
            p[axis] = b[static_cast<std::size_t>(end * 3 + axis)];
            p[u] = b[static_cast<std::size_t>((edge & 1) * 3 + u)];
            p[v] = b[static_cast<std::size_t>(((edge >> 1) & 1) * 3 + v)];
            glVertex3d(p[0], p[1], p[2]);
        }
    }
    glEnd();
}

void draw_world_widgets(const RenderScene& scene, const Matrix4& view)
{
    const SceneOptions& o = scene.options;
    const bool shown[3] = {o.grids, o.axes, o.rings};
    for (std::size_t i = 0; i < 3; ++i)
        if (shown[i] && scene.widget_meshes[i] != nullptr)
            draw_widget_mesh(*scene.widget_meshes[i], view, o, i == 0);
    if (o.bounds && scene.has_bounds) draw_bounds_box(scene, view);
}

void draw_pane(const RenderScene& scene, const ScenePane& pane)
{
    if (pane.width <= 0 || pane.height <= 0) return;
    const int gl_y = scene.window_height - pane.y - pane.height;
    glViewport(pane.x, gl_y, pane.width, pane.height);
    glScissor(pane.x, gl_y, pane.width, pane.height);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    if (scene.options.culling)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
    set_projection(pane, scene.options);
    // Light 0 stays where the eye is: its position goes in with no view.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float light[4] = {LIGHT_POSITION[0], LIGHT_POSITION[1], LIGHT_POSITION[2], 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    const Matrix4 view = view_matrix(pane.camera);
    draw_world_widgets(scene, view);
    if (no_topology(scene.options)) return;
    for (const SceneMesh& item : scene.meshes) {
        if (item.mesh == nullptr || item.mesh->visible == 0) continue;
        set_modelview(view, item.model);
        draw_mesh(scene, *item.mesh);
    }
}

void upload_scene_meshes(const RenderScene& scene)
{
    for (const SceneMesh& item : scene.meshes)
        if (item.mesh != nullptr) upload_mesh(*item.mesh);
    for (Mesh* mesh : scene.widget_meshes)
        if (mesh != nullptr) upload_mesh(*mesh);
}

void set_multisampling(bool wanted)
{
    GLint sample_buffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
    if (sample_buffers <= 0) return;
    if (wanted)
        glEnable(GL_MULTISAMPLE);
    else
        glDisable(GL_MULTISAMPLE);
}

} // namespace

void set_up_light0(bool ambient, bool diffuse, bool specular)
{
    const float a = ambient ? 0.05f : 0.0f;
    const float d = diffuse ? 1.0f : 0.0f;
    const float s = specular ? 0.05f : 0.0f;
    const float ambient_rgba[4] = {a, a, a, 1.0f};
    const float diffuse_rgba[4] = {d, d, d, 1.0f};
    const float specular_rgba[4] = {s, s, s, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient_rgba);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse_rgba);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular_rgba);
}

void draw_scene(const RenderScene& scene)
{
    if (gl::BindBuffer == nullptr) return; // no buffer objects: nothing can be drawn
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    upload_scene_meshes(scene);
    set_multisampling(scene.options.anti_aliasing);
    // X-Ray and the transparency mode show through blending.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    draw_gradient(scene);
    for (const ScenePane& pane : scene.panes)
        draw_pane(scene, pane);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
