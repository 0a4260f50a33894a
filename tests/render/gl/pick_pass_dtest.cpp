// The pick pass in a real GL context: two quads side by side, each of two
// triangles; the pointer over each names its entity and triangle, the
// background names nothing.

#include "tests/platform/x11/display_fixture.h"

#include <cmath>
#include <memory>

#include "render/gl/offscreen_target.h"
#include "render/gl/pick_pass.h"

namespace {

constexpr int W = 96;
constexpr int H = 64;
constexpr double EYE_DISTANCE = 4.0;

// A quad from x0 to x0 + 1.5 and y -1 to 1: triangle `first` below its
// diagonal, `first` + 1 above. Triangles before `first` name a missing
// vertex, so they are never drawn but keep their numbers.
std::unique_ptr<Mesh> quad(double x0, int first)
{
    auto mesh = std::make_unique<Mesh>();
    mesh->dimension = 3;
    mesh->vertex_data = new F64Array{x0, -1, 0, x0 + 1.5, -1, 0, x0 + 1.5, 1, 0, x0, 1, 0};
    mesh->index_data = new U32Array{1, 4, 0, 1, 2, 3};
    mesh->triangle_indices = new U32Array();
    for (int t = 0; t < first; ++t)
        mesh->triangle_indices->insert(mesh->triangle_indices->end(), {0, 1, 9});
    mesh->triangle_indices->insert(mesh->triangle_indices->end(), {0, 1, 2, 0, 2, 3});
    return mesh;
}

class PickPass : public GlWindowTest<W, H> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        left_ = quad(-2.0, 0);
        right_ = quad(0.5, 1);
    }
    void TearDown() override
    {
        if (!left_) return;
        release_pick_arrays(cache_);
        release_offscreen_target(cache_.pick_target);
        release(*left_);
        release(*right_);
        GlWindowTest::TearDown();
    }

    static void release(Mesh& mesh)
    {
        const GLuint buffers[2] = {mesh.vertex_buffer_name, mesh.index_buffer_name};
        gl::DeleteBuffers(2, buffers);
        if (mesh.vertex_array_name != 0) gl::DeleteVertexArrays(1, &mesh.vertex_array_name);
    }

    RenderScene scene() const
    {
        RenderScene s;
        s.window_width = W;
        s.window_height = H;
        ScenePane pane;
        pane.width = W;
        pane.height = H;
        init_view_settings(pane.camera);
        pane.camera.eye[0] = pane.camera.eye[1] = 0.0;
        pane.camera.eye[2] = EYE_DISTANCE;
        std::fill(pane.camera.target, pane.camera.target + 3, 0.0);
        update_camera_direction(pane.camera);
        s.panes.push_back(pane);
        const Matrix4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        s.meshes.push_back({left_.get(), identity, 0});
        s.meshes.push_back({right_.get(), identity, 3});
        return s;
    }

    // The window pixel where the point (x, y, 0) shows.
    static std::array<int, 2> pixel_of(const RenderScene& s, double x, double y)
    {
        const ScenePane& pane = s.panes[0];
        const double half_h =
            EYE_DISTANCE * std::tan(pane.camera.field_of_view * 3.14159265358979 / 360.0);
        const double half_w = half_h * W / H;
        return {static_cast<int>((x / half_w * 0.5 + 0.5) * W),
                static_cast<int>((0.5 - y / half_h * 0.5) * H)};
    }

    std::unique_ptr<Mesh> left_;
    std::unique_ptr<Mesh> right_;
    ImageGlCache cache_;
};

} // namespace

TEST_F(PickPass, PointerOverEachQuadNamesItsEntityAndTriangleAndBackgroundNothing)
{
    struct Case {
        const char* where;
        double x, y;
        std::uint32_t entity, triangle;
    };
    const Case cases[] = {
        {"left quad, lower right", -0.8, -0.6, 0, 0},
        {"left quad, upper left", -1.7, 0.6, 0, 1},
        {"right quad, lower right", 1.7, -0.6, 3, 1},
        {"right quad, upper left", 0.8, 0.6, 3, 2},
        {"between the quads", 0.0, 0.0, PICK_NONE, PICK_NONE},
        {"above both", -1.0, 1.8, PICK_NONE, PICK_NONE},
    };
    const RenderScene s = scene();
    for (const Case& c : cases) {
        const std::array<int, 2> at = pixel_of(s, c.x, c.y);
        const PickResult result = pick_scene(s, at[0], at[1], cache_);
        EXPECT_EQ(result.entity, c.entity) << c.where;
        EXPECT_EQ(result.triangle, c.triangle) << c.where;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(cache_.pick_arrays.size(), 2u) << "one array per hit mesh, built once";
}

TEST_F(PickPass, APointerOutsideThePanesAndAMeshLeftOutOfTheSceneArePickedAsNothing)
{
    RenderScene s = scene();
    const std::array<int, 2> left = pixel_of(s, -1.2, 0.0);
    EXPECT_EQ(pick_scene(s, left[0], left[1], cache_).entity, 0u);
    EXPECT_EQ(pick_scene(s, W + 5, 10, cache_).entity, PICK_NONE);

    // The left quad leaves the scene: its array goes, the spot is empty.
    s.meshes.erase(s.meshes.begin());
    EXPECT_EQ(pick_scene(s, left[0], left[1], cache_).entity, PICK_NONE);
    EXPECT_TRUE(cache_.pick_arrays.empty());

    // A mesh without an entity still hides the quad behind it.
    auto front = quad(-2.0, 0);
    s = scene();
    Matrix4 nearer{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1};
    s.meshes.push_back({front.get(), nearer, -1});
    EXPECT_EQ(pick_scene(s, left[0], left[1], cache_).entity, PICK_NONE);
    release(*front);
}
