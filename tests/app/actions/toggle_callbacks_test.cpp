#include "app/actions/toggle_callbacks.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "state/application.h"
#include "shell/themes.h"
#include "state/current_environment.h"
#include "shell/state_setters.h"

namespace {

class ToggleCallbacksTest : public testing::Test {
protected:
    void SetUp() override
    {
        add_first_environment(app);
        app.menu_tree.pane.visible = false; // as built
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

// Each row of the menu tree does what it names, and the tree closes behind it.
TEST_F(ToggleCallbacksTest, EveryMenuTreeRowActsAndClosesTheTree)
{
    struct Case {
        int row;
        std::function<bool(const Application&)> done;
    };
    const Case cases[] = {
        {MENU_TREE_ENTITIES,
         [](const Application& a) { return a.view_settings.open_side_panel == 1; }},
        {MENU_TREE_ENTITIES,
         [](const Application& a) { return a.view_settings.open_side_panel == -1; }},
        {MENU_TREE_CONSOLE,
         [](const Application& a) { return a.view_settings.open_side_panel == 0; }},
        {MENU_TREE_PARAMETERS,
         [](const Application& a) { return a.view_settings.open_side_panel == 2; }},
        {MENU_TREE_CLOSE_PANEL,
         [](const Application& a) { return a.view_settings.open_side_panel == -1; }},
        {MENU_TREE_CLOSE_PANEL,
         [](const Application& a) { return a.view_settings.open_side_panel == -1; }},
        {MENU_TREE_SNAPSHOT,
         [](const Application& a) { return a.capture_request == CAPTURE_SNAPSHOT; }},
        {MENU_TREE_SCREENSHOT,
         [](const Application& a) { return a.capture_request == CAPTURE_SCREENSHOT; }},
        {MENU_TREE_HOVER_HINTS,
         [](const Application& a) { return a.view_settings.hover_hints == 0; }},
        {MENU_TREE_QUICK_HIDE,
         [](const Application& a) { return a.view_settings.panel_flags[PANEL_QUICK_HIDE] == 1; }},
        {MENU_TREE_QUICK_HIDE,
         [](const Application& a) { return a.view_settings.panel_flags[PANEL_QUICK_HIDE] == 0; }},
    };
    for (const Case& c : cases) {
        toggle_menu_tree(app);
        ASSERT_TRUE(app.menu_tree.pane.visible) << c.row;
        run_menu_tree_row(app, c.row);
        EXPECT_TRUE(c.done(app)) << "row " << c.row;
        EXPECT_FALSE(app.menu_tree.pane.visible) << c.row;
    }
}

// The marks follow also a change made while the tree is open: a key that
// opens a side panel, or the hints switched by an environment's restore.
TEST_F(ToggleCallbacksTest, TheOpenTreeMarksTheOpenPanelAndTheHints)
{
    const auto expect_marks = [&](int panel, bool hints) {
        for (int row = MENU_TREE_CONSOLE; row <= MENU_TREE_PARAMETERS; ++row)
            EXPECT_EQ(app.menu_tree.rows[static_cast<std::size_t>(row)].selected, row == panel)
                << row;
        EXPECT_EQ(app.menu_tree.rows[MENU_TREE_HOVER_HINTS].selected, hints);
    };
    app.view_settings.open_side_panel = 2;
    toggle_menu_tree(app);
    expect_marks(2, true);
    select_side_panel(app, 0);
    toggle_hover_hints(app);
    expect_marks(0, false);
    toggle_menu_tree(app);
    EXPECT_FALSE(app.menu_tree.pane.visible) << "a second click closes it";
}

// Switched off, the hints stop updating, so the one shown must go with them.
TEST_F(ToggleCallbacksTest, HoverHintsSwitchedOffTakeTheShownHintAway)
{
    HintBarWidgets& bar = app.hint_bar;
    const lumo::P hovered;
    bar.last_tooltip = &hovered;
    bar.bar.visible = true;
    bar.texts[0].set_label("title");
    app.hint_texts = {"title", "text"};
    toggle_hover_hints(app);
    EXPECT_EQ(app.view_settings.hover_hints, 0);
    EXPECT_FALSE(bar.bar.visible || bar.bar.fill || bar.bar.fill_style != nullptr);
    EXPECT_EQ(bar.texts[0].label, "");
    EXPECT_EQ(bar.last_tooltip, nullptr) << "switched on again, the next hover shows anew";
    toggle_hover_hints(app);
    EXPECT_EQ(app.view_settings.hover_hints, 1);
    EXPECT_TRUE(bar.bar.fill);
    EXPECT_EQ(bar.bar.fill_style, &g_active_fill_styles[STYLE_HIGHLIGHT]) << "a hovered row's";
}

} // namespace
