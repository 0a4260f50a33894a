#include "panels/directive_menus.h"

#include <tuple>

#include "tests/panels/panel_fixture.h"

namespace {

TEST_F(PanelTest, CameraDirectiveRowsAndTheirListOrGridPlaces)
{
    Entity& entity = add_script("examples/parameters.plim", 8);
    entity.parse_report.directives_text =
        "#CAM(front){0, 2, 8, 0, 1, 0};\n#CAM(above){0, 9, 0.01, 0, 0, 0};\n#VIEW(odd){1, 2}\n";
    app.current_scene_state->selected_index = 0;
    build_camera_directive_menu(app);
    ASSERT_EQ(app.directive_menus.camera_rows, (std::vector<std::string>{"front", "above", "odd"}));
    EXPECT_EQ(app.directive_menus.camera_points[1], (std::array<double, 6>{0, 9, 0.01, 0, 0, 0}));
    EXPECT_EQ(app.directive_menus.camera_points[2], (std::array<double, 6>{1, 2, 0, 0, 0, 0}));

    struct Case {
        std::int32_t style;
        DirectiveRowRect third;
    };
    // Column 216 wide, gap 8, row height 32: grid cells (216 - 24) / 2 = 96.
    const Case cases[] = {{1, {8, 88, 200, 32}}, {2, {8, 112, 96, 96}}};
    for (const Case& c : cases) {
        app.view_settings.directive_mode = c.style;
        layout_directive_menu(app, 216);
        const DirectiveRowRect& r = app.directive_menus.camera_row_rects.at(2);
        EXPECT_EQ(std::make_tuple(r.x, r.y, r.width, r.height),
                  std::make_tuple(c.third.x, c.third.y, c.third.width, c.third.height))
            << "style " << c.style;
    }
}

} // namespace
