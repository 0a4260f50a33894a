// Picking, captures and thumbnails through the paint path of the
// application, in a real window: two quads side by side fill the view.

#include "tests/platform/x11/display_fixture.h"

#include <png.h>

#include <cmath>
#include <iterator>
#include <filesystem>

#include "app/actions/image_capture.h"
#include "app/frame/app_slots.h"
#include "app/frame/image_capture.h"
#include "state/application.h"
#include "state/current_environment.h"
#include "panels/inspection_text.h"
#include "platform/kernel_config.h"
#include "render/gl/image_capture.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = 160;
constexpr int H = 120;
constexpr double EYE_DISTANCE = 4.0;

// A red quad from x0 to x0 + 1.5, y -1 to 1, as two triangles: 0 below its
// diagonal, 1 above; `alpha` below 255 makes it translucent.
Mesh* red_quad(double x0, std::uint8_t alpha)
{
    Mesh* mesh = construct_mesh(new F64Array{x0, -1, 0, x0 + 1.5, -1, 0, x0 + 1.5, 1, 0, x0, 1, 0},
                                new U32Array{1, 4, 0, 1, 2, 3}, 0, 3);
    mesh->triangle_indices = new U32Array{0, 1, 2, 0, 2, 3};
    mesh->vertex_colour_bytes =
        new U8Array{255, 0, 0, alpha, 255, 0, 0, alpha, 255, 0, 0, alpha, 255, 0, 0, alpha};
    return mesh;
}

struct Png {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

Png read_png(const std::string& path)
{
    Png png;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return png;
    image.format = PNG_FORMAT_RGBA;
    png.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, png.rgba.data(), 0, nullptr)) {
        png.width = static_cast<int>(image.width);
        png.height = static_cast<int>(image.height);
    }
    png_image_free(&image);
    return png;
}

bool reddish(const std::uint8_t* p)
{
    return p[0] > 120 && p[1] < 60 && p[2] < 60;
}

// Pixels of an RGBA8 image whose alpha is below 255.
int translucent_pixels(const std::vector<std::uint8_t>& rgba)
{
    int count = 0;
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        count += rgba[i] < 255 ? 1 : 0;
    return count;
}

class ImagePasses : public GlWindowTest<W, H> {
protected:
    void SetUp() override
    {
        create_application();
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        show_gl_window();
        install_headless_services(g_app->platform);
        add_first_environment(*g_app);
        // The right quad is translucent: blended into the view, it must not
        // make the captured images translucent.
        for (const auto& [x0, alpha] : {std::pair{-2.0, 255}, std::pair{0.5, 128}}) {
            Entity entity = construct_entity();
            attach_mesh_to_entity(entity, red_quad(x0, static_cast<std::uint8_t>(alpha)));
            g_app->current_entity_list->entities.push_back(entity);
        }
        g_app->current_entity_list->count = 2;
        CameraSettings& camera = g_app->camera;
        camera.eye[0] = camera.eye[1] = 0.0;
        camera.eye[2] = EYE_DISTANCE;
        std::fill(camera.target, camera.target + 3, 0.0);
        update_camera_direction(camera);
        workspace_ = fs::temp_directory_path() / ("plim_capture_" + std::to_string(getpid()));
        fs::create_directories(workspace_);
        saved_workspace_ = g_workspace_path;
        g_workspace_path = workspace_.string() + "/";
    }

    void TearDown() override
    {
        if (!IsSkipped()) {
            release_image_passes(*g_app);
            g_workspace_path = saved_workspace_;
            fs::remove_all(workspace_);
            GlWindowTest::TearDown();
        }
        destroy_application();
    }

    // The window pixel where the point (x, y, 0) shows.
    std::array<int, 2> pixel_of(double x, double y) const
    {
        const double half_h =
            EYE_DISTANCE * std::tan(g_app->camera.field_of_view * 3.14159265358979 / 360.0);
        const double half_w = half_h * W / H;
        return {static_cast<int>((x / half_w * 0.5 + 0.5) * W),
                static_cast<int>((0.5 - y / half_h * 0.5) * H)};
    }

    void paint_with_pointer(double x, double y)
    {
        g_app->pointer_position = pixel_of(x, y);
        paint_frame_timed(*g_app);
    }

    long files() const { return std::distance(fs::directory_iterator(workspace_), {}); }

    fs::path workspace_;
    std::string saved_workspace_;
};

} // namespace

TEST_F(ImagePasses, ThePointerOverEachQuadPicksItsFlatIndexAndTriangleOncePerChange)
{
    Application& app = *g_app;
    struct Case {
        const char* where;
        double x, y;
        std::array<std::int32_t, 2> picked;
    };
    const Case cases[] = {
        {"left quad, upper left", -1.7, 0.6, {0, 1}},
        {"left quad, lower right", -0.8, -0.6, {0, 0}},
        {"right quad, lower right", 1.7, -0.6, {1, 0}},
        {"background", 0.0, 0.0, {NO_PICK, NO_PICK}},
    };
    paint_with_pointer(1.7, -0.6);
    EXPECT_EQ(app.picked_element, (std::array<std::int32_t, 2>{1, 0})) << "pick mode '!' picks too";
    EXPECT_EQ(app.picked_element_lines[1], "0") << "the raw triangle, without a prefix";
    ASSERT_NE(app.llmi_indicator.hint_text, nullptr);
    EXPECT_EQ(lumo::g_tooltip_widget, nullptr) << "the view's hint waits for a pick mode";
    app.view_settings.pick_mode = 'T';
    for (const Case& c : cases) {
        paint_with_pointer(c.x, c.y);
        EXPECT_EQ(app.picked_element, c.picked) << c.where;
        if (c.picked[0] != NO_PICK) {
            EXPECT_EQ(app.picked_element_lines[1], "triangle : " + std::to_string(c.picked[1]))
                << c.where;
        }
        // The inspection text is rewritten on a change only: a further frame
        // at the same spot leaves the cleared hint alone.
        app.llmi_indicator.hint_title = nullptr;
        app.llmi_indicator.hint_text = nullptr;
        paint_with_pointer(c.x, c.y);
        EXPECT_EQ(app.llmi_indicator.hint_text, nullptr) << c.where;
    }
}

TEST_F(ImagePasses, AStalePickOutsideTheFlatListCountsAsNoHit)
{
    Application& app = *g_app;
    EXPECT_TRUE(store_pick(app, PickResult{1, 0}));
    EXPECT_EQ(app.picked_element, (std::array<std::int32_t, 2>{1, 0}));
    EXPECT_FALSE(store_pick(app, PickResult{1, 0}));
    EXPECT_TRUE(store_pick(app, PickResult{2, 5})) << "only two entities";
    EXPECT_EQ(app.picked_element, (std::array<std::int32_t, 2>{NO_PICK, NO_PICK}));
}

TEST_F(ImagePasses, SnapshotAndScreenshotAreWrittenUprightOpaqueAtTheCapturedSize)
{
    Application& app = *g_app;
    struct Case {
        const char* what;
        void (*request)(Application&);
        void (*save)(Application&);
        ModalState pane;
        int frame_top; // the window frame's top line once the pane showed
    };
    const Case cases[] = {
        {"snapshot", make_snapshot_name, save_environment_image, MODAL_CAPTURE, 0},
        {"screenshot", make_screenshot_name, save_application_screenshot, MODAL_SCREENSHOT, 1},
    };
    // The left quad reaches the top-left corner of the view, nothing the
    // bottom-right one.
    app.camera.eye[0] = 1.3;
    app.camera.eye[1] = -1.5;
    app.camera.target[0] = 1.3;
    app.camera.target[1] = -1.5;
    update_camera_direction(app.camera);
    for (const Case& c : cases) {
        c.request(app);
        paint_frame_timed(app);
        EXPECT_EQ(app.modal[c.pane], 1) << c.what << ": its pane shows the capture";
        EXPECT_EQ(app.border.border_top.width, c.frame_top) << c.what;
        c.save(app);
        EXPECT_EQ(app.modal[c.pane], 0) << c.what;
        EXPECT_EQ(app.modal[MODAL_INFO], 1) << c.what;
        const fs::path path = workspace_ / app.capture_file_name;
        const Png png = read_png(path.string());
        ASSERT_EQ(png.width, W) << c.what;
        ASSERT_EQ(png.height, H) << c.what;
        EXPECT_TRUE(reddish(&png.rgba[(2 * W + 2) * 4])) << c.what << ": top-left is the quad";
        EXPECT_FALSE(reddish(&png.rgba[((H - 3) * W + W - 3) * 4])) << c.what;
        EXPECT_EQ(translucent_pixels(png.rgba), 0) << c.what << ": what the window shows is opaque";
        app.modal[MODAL_INFO] = 0;
    }
    EXPECT_EQ(files(), 2) << "two images, no leftovers";
}

TEST_F(ImagePasses, AnUnwritableWorkspaceGivesTheErrorAndNoFile)
{
    Application& app = *g_app;
    const fs::path missing = workspace_ / "gone";
    g_workspace_path = missing.string() + "/";
    make_snapshot_name(app);
    paint_frame_timed(app);
    save_environment_image(app);
    EXPECT_EQ(app.modal[MODAL_ERROR], 1);
    EXPECT_EQ(app.modal[MODAL_INFO], 0) << "a failed write is never reported as saved";
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(files(), 0);
}

TEST_F(ImagePasses, RefreshPreviewFillsTheEnvironmentCellOnce)
{
    Application& app = *g_app;
    app.refresh_preview = 1;
    paint_frame_timed(app);
    EXPECT_EQ(app.refresh_preview, 0);
    ASSERT_NE(app.image_gl.thumbnail_texture, 0u);
    std::vector<std::uint8_t> atlas(std::size_t{THUMBNAIL_ATLAS_SIZE} * THUMBNAIL_ATLAS_SIZE * 4);
    glBindTexture(GL_TEXTURE_2D, app.image_gl.thumbnail_texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, atlas.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    // The pixels of one atlas cell that pass `test`.
    auto cell_count = [&](int cell, bool (*test)(const std::uint8_t*)) {
        const std::array<int, 2> origin = thumbnail_cell_origin(cell);
        int count = 0;
        for (int y = 0; y < THUMBNAIL_SIZE; ++y)
            for (int x = 0; x < THUMBNAIL_SIZE; ++x)
                count += test(
                    &atlas[(std::size_t(origin[1] + y) * THUMBNAIL_ATLAS_SIZE + origin[0] + x) *
                           4]);
        return count;
    };
    auto red = [](const std::uint8_t* p) { return reddish(p) && p[3] > 0; };
    auto translucent = [](const std::uint8_t* p) { return p[3] < 255; };
    const int cell = environment_thumbnail_cell(app.current_environment->id);
    EXPECT_GT(cell_count(cell, red), 0);
    EXPECT_EQ(cell_count(0, red), 0) << "no directive was rendered";
    EXPECT_EQ(cell_count(cell, translucent), 0) << "the translucent quad shows over the view";
}
