// The scene passes in a real GL context: one red triangle facing the camera
// on a blue background, drawn in each topology and shading, read back.

#include "tests/platform/x11/display_fixture.h"

#include <memory>

#include "render/gl/scene_renderer.h"

namespace {

constexpr int W = 96;
constexpr int H = 64;

using Rgba = std::array<int, 4>;

class SceneRenderer : public GlWindowTest<W, H> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        mesh_ = std::make_unique<Mesh>();
        mesh_->dimension = 3;
        mesh_->vertex_data = new F64Array{-1.5, -1.2, 0, 1.5, -1.2, 0, 0, 1.5, 0};
        mesh_->index_data = new U32Array{1, 3, 0, 1, 2};
        // The second triangle names a vertex that does not exist: left out.
        mesh_->triangle_indices = new U32Array{0, 1, 2, 0, 1, 7};
        mesh_->vertex_colour_bytes = new U8Array{255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    }
    void TearDown() override
    {
        if (!mesh_) return;
        const GLuint buffers[2] = {mesh_->vertex_buffer_name, mesh_->index_buffer_name};
        gl::DeleteBuffers(2, buffers);
        if (cache_.entity_program != 0) gl::DeleteProgram(cache_.entity_program);
        GlWindowTest::TearDown();
    }

    RenderScene scene(const SceneOptions& options)
    {
        RenderScene s;
        s.window_width = W;
        s.window_height = H;
        s.options = options;
        s.cache = &cache_;
        ScenePane pane;
        pane.width = W;
        pane.height = H;
        init_view_settings(pane.camera);
        pane.camera.eye[0] = pane.camera.eye[1] = 0.0;
        pane.camera.eye[2] = 4.0;
        std::fill(pane.camera.target, pane.camera.target + 3, 0.0);
        update_camera_direction(pane.camera);
        pane.view_distance = 4.0;
        s.panes.push_back(pane);
        s.meshes.push_back({mesh_.get(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}});
        return s;
    }

    std::vector<std::uint8_t> draw(const RenderScene& s)
    {
        glViewport(0, 0, W, H);
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_scene(s);
        std::vector<std::uint8_t> pixels(std::size_t{W} * H * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return pixels;
    }

    static Rgba at(const std::vector<std::uint8_t>& p, int x, int y)
    {
        const std::size_t i = (std::size_t(y) * W + x) * 4;
        return {p[i], p[i + 1], p[i + 2], p[i + 3]};
    }

    // Whether any pixel is (nearly) white: the mono tone 8 of 8.
    static bool any_white(const std::vector<std::uint8_t>& p)
    {
        for (std::size_t i = 0; i < p.size(); i += 4)
            if (p[i] > 247 && p[i + 1] > 247 && p[i + 2] > 247) return true;
        return false;
    }

    std::unique_ptr<Mesh> mesh_;
    RendererCache cache_;
};

} // namespace

TEST_F(SceneRenderer, EachShadingShowsTheTriangleAtTheCentreAndBackgroundAtACorner)
{
    struct Case {
        const char* name;
        bool programmable, smooth, unlit, negative;
        Rgba low, high; // the centre pixel lies between
    };
    const Rgba lit_low{120, 0, 0, 0}, lit_high{255, 40, 40, 255};
    const Rgba red_low{250, 0, 0, 0}, red_high{255, 5, 5, 255};
    const Case cases[] = {
        {"fixed smooth lit", false, true, false, false, lit_low, lit_high},
        {"fixed flat lit", false, false, false, false, lit_low, lit_high},
        {"fixed unlit", false, true, true, false, red_low, red_high},
        {"glsl smooth lit", true, true, false, false, lit_low, lit_high},
        {"glsl flat lit", true, false, false, false, lit_low, lit_high},
        {"glsl unlit", true, true, true, false, red_low, red_high},
        {"glsl negative", true, true, true, true, {0, 250, 250, 0}, {5, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        SceneOptions o;
        o.programmable = c.programmable;
        o.smooth_shading = c.smooth;
        o.unlit = c.unlit;
        o.negative = c.negative;
        const auto pixels = draw(scene(o));
        const Rgba centre = at(pixels, W / 2, H / 2);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(centre[k] >= c.low[k] && centre[k] <= c.high[k])
                << c.name << " channel " << k << " is " << centre[k];
        EXPECT_EQ(at(pixels, 1, 1), (Rgba{0, 0, 255, 255})) << c.name;
    }
    EXPECT_NE(cache_.entity_program, 0u) << "the GLSL program was built";
}

TEST_F(SceneRenderer, EdgeAndPointTopologiesDrawInTheirMonoToneAndNoRenderDrawsNothing)
{
    struct Case {
        const char* name;
        bool polygons, triangles, points;
        bool expect_white;
    };
    const Case cases[] = {{"polygons", true, false, false, true},
                          {"triangles", false, true, false, true},
                          {"points", false, false, true, true},
                          {"none (NORENDER)", false, false, false, false}};
    for (const Case& c : cases) {
        SceneOptions o;
        o.surface = false;
        o.polygons = c.polygons;
        o.triangles = c.triangles;
        o.points = c.points;
        o.mono_edge_tone = o.mono_dot_tone = 8;
        o.mono_dot = true;
        const auto pixels = draw(scene(o));
        EXPECT_EQ(any_white(pixels), c.expect_white) << c.name;
        EXPECT_EQ(at(pixels, W / 2, H / 2), (Rgba{0, 0, 255, 255})) << c.name;
    }
}

TEST_F(SceneRenderer, TwoPanesShowTheirOwnViewsAndTheProjectionsDiffer)
{
    SceneOptions o;
    o.unlit = true;
    RenderScene s = scene(o);
    ScenePane left = s.panes[0];
    left.width = W / 2;
    ScenePane right = left;
    right.x = W / 2;
    // From behind, the back face is culled: the right pane stays empty.
    right.camera.eye[2] = -4.0;
    right.camera.target[2] = 0.0;
    update_camera_direction(right.camera);
    s.panes = {left, right};
    const auto panes = draw(s);
    EXPECT_EQ(at(panes, W / 4, H / 2), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(at(panes, 3 * W / 4, H / 2), (Rgba{0, 0, 255, 255}));

    // A vertex off the target plane lands elsewhere in the two projections.
    (*mesh_->vertex_data)[8] = 2.0;
    mesh_->upload_pending = 1;
    RenderScene perspective = scene(o);
    RenderScene orthographic = scene(o);
    orthographic.options.perspective = false;
    EXPECT_NE(draw(perspective), draw(orthographic));
}

TEST_F(SceneRenderer, RecolouringReachesTheScreenWithoutAFullUpload)
{
    SceneOptions o;
    o.unlit = true;
    draw(scene(o));
    const GLuint buffer = mesh_->vertex_buffer_name;
    *mesh_->vertex_colour_bytes = {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255};
    mesh_->colours_pending = 1;
    const auto pixels = draw(scene(o));
    EXPECT_EQ(at(pixels, W / 2, H / 2), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(mesh_->vertex_buffer_name, buffer);
    EXPECT_EQ(mesh_->uploaded.triangle_index_count, 3u) << "the broken triangle is left out";
}
