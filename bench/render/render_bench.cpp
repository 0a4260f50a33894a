// On meshes of about one million triangles as users have them (the closed
// torus of the stand-in kernel, read by the interop reader, and a wavy grid
// whose file brings no smooth-group edge list): the renderer's surface pass
// with the default lit GLSL shading beside a bare VBO draw of the same
// buffers, and the upload beside one glBufferData of the same bytes, each
// pair timed in turns; then one pick and each colour function per vertex.
// The GL benchmarks need an X display (xvfb-run with Mesa's software
// renderer); without one they are skipped with a message.

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/x11/gl_window.h"
#include "render/colour_functions.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/mesh_upload.h"
#include "render/gl/offscreen_target.h"
#include "render/gl/pick_pass.h"
#include "render/gl/scene_renderer.h"
#include "render/mesh_geometry.h"
#include "kernel/interop_reader.h"
#include "bench/common/paired_runs.h"
#include "bench/common/standin_tori.h"

namespace {

// Mesa's software renderer shares the machine's cores with everything else
// running: more rounds keep its medians steady.
constexpr int kGlRounds = 15;

// 708 x 708 vertices: 707 x 707 quads, 999,698 triangles.
constexpr std::uint32_t kSide = 708;

std::unique_ptr<Mesh> make_wavy_grid()
{
    auto mesh = std::make_unique<Mesh>();
    mesh->dimension = 3;
    mesh->vertex_data = new F64Array();
    mesh->vertex_colours = new F64Array();
    for (std::uint32_t r = 0; r < kSide; ++r)
        for (std::uint32_t c = 0; c < kSide; ++c) {
            const double x = c / double(kSide - 1) * 2.0 - 1.0;
            const double z = r / double(kSide - 1) * 2.0 - 1.0;
            mesh->vertex_data->insert(mesh->vertex_data->end(),
                                      {x, 0.1 * std::sin(8.0 * x) * std::cos(8.0 * z), z});
            mesh->vertex_colours->insert(mesh->vertex_colours->end(), {0.8, 0.5, 0.2, 1.0});
        }
    const std::uint32_t quads = (kSide - 1) * (kSide - 1);
    mesh->index_data = new U32Array{quads};
    mesh->index_data->insert(mesh->index_data->end(), quads, 4u);
    mesh->triangle_indices = new U32Array();
    mesh->face_ids = new U32Array();
    for (std::uint32_t r = 0; r + 1 < kSide; ++r)
        for (std::uint32_t c = 0; c + 1 < kSide; ++c) {
            const std::uint32_t a = r * kSide + c, b = a + 1, d = a + kSide, e = d + 1;
            mesh->index_data->insert(mesh->index_data->end(), {a, d, e, b});
            mesh->triangle_indices->insert(mesh->triangle_indices->end(), {a, d, e, a, e, b});
            mesh->face_ids->push_back(r % 7);
        }
    mesh->vertex_colour_bytes = new U8Array(std::size_t{kSide} * kSide * 4, 200);
    // As the interop reader delivers it: per-vertex normals come with the
    // mesh, the edge lists do not.
    const std::vector<float> normals = vertex_normals(*mesh);
    mesh->normal_data = new F64Array(normals.begin(), normals.end());
    return mesh;
}

Mesh& shared_mesh()
{
    static std::unique_ptr<Mesh> mesh = make_wavy_grid();
    return *mesh;
}

// The 1M-triangle torus as the program reads it; null when it cannot be made.
Mesh* torus_mesh()
{
    static Mesh* mesh = [] {
        MeshList meshes = read_interop_file(standin_torus_file(1));
        return meshes.empty() ? nullptr : meshes.front();
    }();
    return mesh;
}

Mesh* bench_mesh(int which)
{
    return which == 0 ? torus_mesh() : &shared_mesh();
}

bool ensure_context()
{
    static int state = 0; // 0 untried, 1 ready, 2 failed
    if (state == 0) {
        state = 2;
        if (std::getenv("DISPLAY") != nullptr && create_gl_window("bench", 720, 480)) {
            load_gl_extensions();
            state = g_gl_support.buffers ? 1 : 2;
        }
    }
    return state == 1;
}

RenderScene surface_scene(Mesh& mesh, RendererCache& cache)
{
    RenderScene scene;
    scene.cache = &cache;
    // The program's default shading: lit, GLSL, smooth, culled.
    scene.options.axes = scene.options.grids = scene.options.rings = false;
    ScenePane pane;
    pane.width = 720;
    pane.height = 480;
    init_view_settings(pane.camera);
    scene.panes.push_back(pane);
    scene.meshes.push_back({&mesh, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}});
    return scene;
}

// One pick at the window's centre, where the grid lies: the entity pass
// over the whole mesh, then the triangle pass over its de-indexed array
// (built before timing, as it is while a pick mode stays on). Compare with
// the surface pass above: the pick should cost at most half a frame.
void BM_Pick(benchmark::State& state)
{
    if (!ensure_context()) return state.SkipWithError("needs an X display (xvfb-run)");
    Mesh& mesh = shared_mesh();
    upload_mesh(mesh);
    RendererCache renderer;
    RenderScene scene = surface_scene(mesh, renderer);
    scene.meshes.front().pick_id = 0;
    ImageGlCache cache;
    if (pick_scene(scene, 360, 240, cache).triangle == PICK_NONE)
        return state.SkipWithError("the pick missed the grid");
    for (auto _ : state)
        benchmark::DoNotOptimize(pick_scene(scene, 360, 240, cache));
    release_pick_arrays(cache);
    release_offscreen_target(cache.pick_target);
}
BENCHMARK(BM_Pick)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same buffers drawn with the fewest calls: the floor of the surface pass.
void draw_bare_vbo(const Mesh& mesh)
{
    static const Matrix4 projection = perspective_matrix(60.0, 1.5, 0.01, 1000.0);
    CameraSettings camera;
    init_view_settings(camera);
    const Matrix4 view = view_matrix(camera);
    glViewport(0, 0, 720, 480);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE); // as the surface pass culls
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.data());
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.index_buffer_name);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0,
                   reinterpret_cast<const void*>(colour_block_offset(mesh.uploaded)));
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.uploaded.triangle_index_count),
                   GL_UNSIGNED_INT, nullptr);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glFinish();
}

// Argument 0: the torus, 1: the grid.
void BM_SurfacePassVsBareVbo(benchmark::State& state)
{
    if (!ensure_context()) return state.SkipWithError("needs an X display (xvfb-run)");
    Mesh* mesh = bench_mesh(static_cast<int>(state.range(0)));
    if (mesh == nullptr) return state.SkipWithError("no mesh");
    upload_mesh(*mesh);
    RendererCache cache;
    const RenderScene scene = surface_scene(*mesh, cache);
    draw_scene(scene); // builds the program once
    glFinish();
    for (auto _ : state) {
        const PairRounds times = run_in_turns(
            [&] {
                draw_scene(scene);
                glFinish();
            },
            [&] { draw_bare_vbo(*mesh); }, [] {}, kGlRounds);
        report_pair(state, times, "surface", "bare_vbo");
    }
}
BENCHMARK(BM_SurfacePassVsBareVbo)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The bytes the upload sends: the vertex block and the index block.
std::size_t uploaded_bytes(const Mesh& mesh)
{
    const MeshUploadLayout& up = mesh.uploaded;
    return std::size_t{up.vertex_count} * 28 +
           (std::size_t{up.triangle_index_count} + up.edge_index_counts[0] +
            up.edge_index_counts[1] + up.edge_index_counts[2]) *
               4;
}

// A full upload again (as a recolour asks for) against one glBufferData of
// as many bytes from ready memory; the mesh's first upload, which completes
// its edge lists once, is reported beside them.
void BM_UploadVsOneBufferData(benchmark::State& state)
{
    if (!ensure_context()) return state.SkipWithError("needs an X display (xvfb-run)");
    Mesh* mesh = bench_mesh(static_cast<int>(state.range(0)));
    if (mesh == nullptr) return state.SkipWithError("no mesh");
    const Spent first = spend([&] {
        mesh->upload_pending = 1;
        upload_mesh(*mesh);
        glFinish();
    });
    const std::size_t bytes = uploaded_bytes(*mesh);
    const std::vector<std::uint8_t> data(bytes, 1);
    GLuint buffer = 0;
    gl::GenBuffers(1, &buffer);
    for (auto _ : state) {
        const PairRounds times = run_in_turns(
            [&] {
                upload_mesh(*mesh);
                glFinish();
            },
            [&] {
                gl::BindBuffer(GL_ARRAY_BUFFER, buffer);
                gl::BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data.data(),
                               GL_STATIC_DRAW);
                gl::BindBuffer(GL_ARRAY_BUFFER, 0);
                glFinish();
            },
            [&] { mesh->upload_pending = 1; }, kGlRounds);
        report_pair(state, times, "upload", "buffer_data");
    }
    gl::DeleteBuffers(1, &buffer);
    state.counters["first_upload_ms"] = 1e3 * first.wall;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_UploadVsOneBufferData)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ColourFunction(benchmark::State& state)
{
    Mesh& mesh = shared_mesh();
    ColourSettings settings;
    settings.scheme = 3;
    settings.function = static_cast<ColourModeId>(state.range(0));
    settings.eye = {-1.0, 1.0, 3.0};
    for (auto _ : state)
        apply_colour_function(settings, mesh);
    state.counters["ns_per_vertex"] = benchmark::Counter(
        static_cast<double>(mesh_vertex_count(mesh)) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ColourFunction)->DenseRange(3, 17)->Unit(benchmark::kMillisecond);

} // namespace
