// Colour ids, thumbnail cells, capture names and row flipping.

#include <gtest/gtest.h>

#include <tuple>

#include "render/picking.h"

TEST(PickIds, EncodeAndDecodeRoundTripAndRejectWhatDoesNotFit)
{
    struct Case {
        std::int64_t id;
        bool fits;
        std::array<std::uint8_t, 3> rgb;
    };
    const Case cases[] = {{0, true, {0, 0, 0}},
                          {1, true, {0, 0, 1}},
                          {0x0102FE, true, {1, 2, 254}},
                          {0xFFFFFE, true, {255, 255, 254}},
                          {0xFFFFFF, false, {}},
                          {0x1000000, false, {}},
                          {-1, false, {}}};
    for (const Case& c : cases) {
        std::array<std::uint8_t, 3> rgb{7, 7, 7};
        EXPECT_EQ(encode_pick_id(c.id, rgb), c.fits) << c.id;
        if (!c.fits) continue;
        EXPECT_EQ(rgb, c.rgb) << c.id;
        EXPECT_EQ(decode_pick_id(rgb.data()), static_cast<std::uint32_t>(c.id));
    }
    const std::uint8_t white[3] = {255, 255, 255};
    EXPECT_EQ(decode_pick_id(white), PICK_NONE);
}

TEST(ThumbnailCells, EnvironmentsCountDownDirectivesUpAndEachCellHasItsOwnSquare)
{
    EXPECT_EQ((std::vector<int>{environment_thumbnail_cell(5), environment_thumbnail_cell(127),
                                environment_thumbnail_cell(128)}),
              (std::vector<int>{250, 128, -1}))
        << "environments stop before the directive cells";
    EXPECT_EQ((std::vector<int>{directive_thumbnail_cell(127), directive_thumbnail_cell(128),
                                directive_thumbnail_cell(-1)}),
              (std::vector<int>{127, -1, -1}));

    struct Case {
        int cell;
        std::array<int, 2> origin;
    };
    const Case cases[] = {
        {0, {0, 0}}, {1, {128, 0}}, {15, {1920, 0}}, {16, {0, 128}}, {255, {1920, 1920}}};
    for (const Case& c : cases) {
        EXPECT_EQ(thumbnail_cell_origin(c.cell), c.origin) << c.cell;
        const std::array<float, 4> uv = thumbnail_cell_uv(c.cell);
        // Rows come bottom-up: the image's top edge is the cell's far row.
        EXPECT_EQ(uv, (std::array<float, 4>{c.origin[0] / 2048.0f, (c.origin[1] + 128) / 2048.0f,
                                            (c.origin[0] + 128) / 2048.0f, c.origin[1] / 2048.0f}));
    }
}

TEST(FlipRows, ReversesRowsAndLeavesShortBuffersAloneAndCapturesAreStamped)
{
    EXPECT_EQ(snapshot_file_name("20240229235959"), "plim_snapshot_20240229235959.png");
    EXPECT_EQ(screenshot_file_name("20240101000000"), "plim_screenshot_20240101000000.png");
    std::vector<std::uint8_t> rows(2 * 3 * 4);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<std::uint8_t>(i / 8); // row number per pixel of 2
    flip_rows(rows, 2, 3);
    EXPECT_EQ(std::tuple(rows[0], rows[8], rows[23]), std::tuple(2, 1, 0));
    std::vector<std::uint8_t> short_buffer(8, 1);
    flip_rows(short_buffer, 2, 3);
    EXPECT_EQ(short_buffer, std::vector<std::uint8_t>(8, 1));
}

TEST(PaneAt, FindsThePaneUnderAPixelAndSkipsEmptyPanes)
{
    RenderScene scene;
    ScenePane left, empty;
    left.width = 50;
    left.height = 40;
    empty.x = 50;
    ScenePane right = left;
    right.x = 50;
    scene.panes = {left, empty, right};
    EXPECT_EQ((std::vector<int>{pane_at(scene, 0, 0), pane_at(scene, 49, 39), pane_at(scene, 50, 0),
                                pane_at(scene, 100, 0), pane_at(scene, 10, 40)}),
              (std::vector<int>{0, 0, 2, -1, -1}));
}

// The pixel at the centre of a 100 x 100 pane, the camera at (0, 0, 5)
// looking down -z: boxes the pixel's view passes through may show, boxes to
// its side, behind the eye or past the far plane do not.
TEST(BoxMayShow, OnlyBoxesThePixelsViewPassesThroughCount)
{
    ScenePane pane;
    pane.width = pane.height = 100;
    init_view_settings(pane.camera);
    pane.camera.eye[0] = pane.camera.eye[1] = 0.0;
    pane.camera.eye[2] = 5.0;
    std::fill(pane.camera.target, pane.camera.target + 3, 0.0);
    update_camera_direction(pane.camera);
    struct Case {
        const char* what;
        std::array<double, 6> box;
        bool perspective;
        bool shows;
    };
    const Case cases[] = {
        {"around the target", {-1, -1, -1, 1, 1, 1}, true, true},
        {"a sliver on the axis", {-0.001, -0.001, 0, 0.001, 0.001, 0}, true, true},
        {"beside the axis", {0.5, -1, -1, 1.5, 1, 1}, true, false},
        {"above the axis", {-1, 0.2, -1, 1, 1, 1}, true, false},
        {"behind the eye", {-1, -1, 6, 1, 1, 8}, true, false},
        {"holding the eye", {-1, -1, 4, 1, 1, 6}, true, true},
        {"past the far plane", {-1, -1, -2000, 1, 1, -1500}, true, false},
        {"beside the axis, orthographic", {0.5, -1, -1, 1.5, 1, 1}, false, false},
        {"around the target, orthographic", {-1, -1, -1, 1, 1, 1}, false, true},
    };
    const Matrix4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (const Case& c : cases) {
        SceneOptions options;
        options.perspective = c.perspective;
        const Matrix4 clip = multiply(pixel_pick_projection(pane, options, 50, 50),
                                      multiply(view_matrix(pane.camera), identity));
        EXPECT_EQ(box_may_show(clip, c.box), c.shows) << c.what;
    }
}
