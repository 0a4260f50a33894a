#include "shell/menu_rows.h"

#include <gtest/gtest.h>

#include <memory>

#include "state/application.h"
#include "render/colour_functions.h"
#include "shell/menu_labels.h"
#include "shell/themes.h"

namespace {

class MenuRowsTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    lumo::KL parent;
};

TEST_F(MenuRowsTest, EmptyGroupsBuildEmptyStrips)
{
    const LabelGroup empty;
    EXPECT_TRUE(build_tool_rows(app, app.tool_menus[1], 0, empty, parent).empty());
    EXPECT_EQ(app.tool_menus[1].strip.width, 32);
    EXPECT_TRUE(build_settings_rows(app, app.settings_menus[1], 0, empty, parent).empty());
    EXPECT_EQ(app.settings_menus[1].strip.height, 1);
}

TEST_F(MenuRowsTest, ShortLabelStillGetsAWideEnoughRowWithItsHint)
{
    LabelGroup group;
    group.short_labels = {"i", "A much longer label"};
    group.pairs = {{"long : i", "(select to i)"}, {"long : a", "(select to a)"}};
    const auto rows = build_tool_rows(app, app.tool_menus[1], 44, group, parent);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->width, 40);
    EXPECT_EQ(rows[1]->x, 40);
    EXPECT_GT(rows[1]->width, 40);
    EXPECT_EQ(*rows[0]->hint_text, "(select to i)");
    EXPECT_FALSE(app.tool_menus[1].pane.visible) << "closed until its menu opens";
}

TEST_F(MenuRowsTest, FillersFollowTheLabelTables)
{
    fill_view_menus(app);
    fill_settings_menus(app);
    fill_colour_by_menu(app);
    for (int m = 0; m < TOOL_MENU_COUNT; ++m)
        EXPECT_EQ(static_cast<int>(app.tool_menus[m].row_list.size()), TOOL_MENU_ROW_COUNTS[m]);
    for (int m = 0; m < SETTINGS_MENU_COUNT; ++m) {
        EXPECT_EQ(static_cast<int>(app.settings_menus[m].row_list.size()),
                  SETTINGS_MENU_ROW_COUNTS[m]);
        for (const lumo::P* row : app.settings_menus[m].row_list)
            EXPECT_LE(row->label_width, row->width - row->padding.left - row->padding.right)
                << row->label << ": a settings label fits its row unclipped";
    }
    EXPECT_EQ(app.tool_menus[0].rows[2].width + 1,
              std::max(24 + app.tool_menus[0].rows[2].label_width, 40))
        << "the first menu's third row is one narrower";
    ASSERT_EQ(app.colour_bar.row_list.size(), 15u);
    EXPECT_TRUE(app.colour_bar.row_list[0]->selected);
    EXPECT_FALSE(app.colour_bar.row_list[1]->selected);
    EXPECT_EQ(app.colour_bar.row_list[4]->hint_icon, 43) << "the COLOUR icon";
    EXPECT_EQ(app.colour_bar.row_list[11]->label, "face-ID");
    EXPECT_EQ(*app.colour_bar.row_list[11]->hint_title, "colour-by: face-identifier");
    EXPECT_EQ(app.colour_bar.strip.height, 24) << "rows of the strip height, sized to be seen";
    EXPECT_EQ(app.colour_bar.content_width, app.colour_bar.strip.width);
    const auto hues = build_function_palette(true);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(app.colour_bar.swatches[i].background_colour, hues[i])
            << "the legend starts as the hue palette that the colour-space toggle restores";
}

TEST(FillStyleCopy, TwoCopiesRestoreTheStopOrder)
{
    const FillStyle original({1, 0, 0, 1, 0, 0, 1, 1}, kFillVertical);
    const FillStyle once(original);
    const FillStyle twice(once);
    EXPECT_EQ(once.channel(0, 2), 1.0);
    EXPECT_EQ(twice.stops, original.stops);
}

TEST(Themes, EveryThemeIsCompleteAndBarsDifferFromText)
{
    Application app;
    for (int t = 0; t < THEME_COUNT; ++t) {
        apply_theme_colours(app, t);
        for (const FillStyle& style : g_active_fill_styles)
            EXPECT_GE(style.stop_count(), 1) << t;
        const double bar = g_active_fill_styles[STYLE_BAR].channel(0, 0);
        EXPECT_GT(std::abs(bar - app.theme_text_colour[0]), 0.4) << "readable text, theme " << t;
    }
}

} // namespace
