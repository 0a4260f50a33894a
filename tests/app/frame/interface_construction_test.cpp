#include "app/frame/interface_construction.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "app/commands/parameter_reset.h"
#include "app/frame/app_slots.h"
#include "app/frame/input_handlers.h"
#include "state/application.h"
#include "lumo/font.h"
#include "lumo/container.h"
#include "lumo/draw_list.h"
#include "platform/input_codes.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

// Counts every widget reachable from `widget`; a widget met twice on one
// path would be its own ancestor.
void walk(lumo::P* widget, std::map<const lumo::P*, int>& seen, std::set<const lumo::P*>& path,
          int& cycles, int& bad_hints)
{
    if (path.count(widget)) {
        ++cycles;
        return;
    }
    ++seen[widget];
    if ((widget->hint_title != nullptr && widget->hint_title->empty()) ||
        (widget->hint_text != nullptr && widget->hint_text->empty()))
        ++bad_hints;
    auto* container = dynamic_cast<lumo::KL*>(widget);
    if (container == nullptr) return;
    path.insert(widget);
    for (lumo::P* child : container->children)
        walk(child, seen, path, cycles, bad_hints);
    path.erase(widget);
}

TEST(InterfaceConstruction, EveryNamedWidgetIsInTheTreeOnce)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    std::map<const lumo::P*, int> seen;
    std::set<const lumo::P*> path;
    int cycles = 0;
    int bad_hints = 0;
    walk(&app.root, seen, path, cycles, bad_hints);
    EXPECT_EQ(cycles, 0);
    EXPECT_EQ(bad_hints, 0) << "every hint points at a text";
    for (const auto& [name, widget] : named_widgets(app))
        EXPECT_EQ(seen[widget], 1) << name;
    EXPECT_EQ(app.current_console->line_count, 2) << "the two start-up lines";
    EXPECT_EQ(app.startup_variant, 1) << "nothing configured";
    // The first environment's knobs stand at the values their fields read.
    const EnvironmentWidgetState start;
    for (int i = 0; i < SLIDER_COUNT; ++i) {
        EXPECT_EQ(app.slider_rows[i].field.label, start.slider_field_texts[i]);
        EXPECT_DOUBLE_EQ(app.slider_rows[i].slider.value, start.slider_values[i]);
    }
    app.root.layout();
    EXPECT_EQ(app.tip_bar.bar.y, 56) << "the root's layout callback placed the bars";
    destroy_application();
}

// Through the window's own slots, as a person drags with the right button
// and turns the wheel over the middle of the 3-D view.
TEST(InterfaceConstruction, TheViewTakesRightButtonDragsAndTheWheel)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    // Past start-up: its pane and the configuration pane no longer cover the view.
    app.startup_pane.visible = false;
    if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
    app.startup_finished = 1;
    app.root.layout();
    const int x = app.view.x + app.view.width / 2;
    const int y = app.view.y + app.view.height / 2;
    const double forward_x = app.camera.forward[0];
    handle_platform_mouse_button(nullptr, MOUSE_RIGHT, BUTTON_PRESSED, x, y);
    EXPECT_EQ(app.view_drag.active, 1) << "the press reached the view";
    app_on_mouse_drag(nullptr, x + 90, y);
    EXPECT_NE(app.camera.forward[0], forward_x) << "the drag turned the camera";
    handle_platform_mouse_button(nullptr, MOUSE_RIGHT, BUTTON_RELEASED, x + 90, y);
    EXPECT_EQ(app.view_drag.active, 0);
    handle_platform_mouse_button(nullptr, MOUSE_WHEEL_DOWN, BUTTON_PRESSED, x, y);
    EXPECT_EQ(app.camera_motion.wheel_queue, 1);
    destroy_application();
}

// Quick-hidden, the frame-rate read-out reaches into HIDELOGO's corner: the
// read-out's text is painted after every quad of HIDELOGO, so none covers it.
TEST(InterfaceConstruction, NothingCoversTheFrameRateReadOutInQuickHide)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    app.startup_pane.visible = false;
    if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
    app.fps_readout.visible = true;
    set_quick_hide(app, true);
    app.root.layout();
    lumo::DrawList list;
    lumo::build_draw_list(app.root, list);
    const lumo::P& logo = app.hide_logo;
    int last_logo = -1;
    int first_text = -1;
    for (int i = 0; i < static_cast<int>(list.quads.size()); ++i) {
        const lumo::DrawQuad& q = list.quads[static_cast<std::size_t>(i)];
        if (q.texture == lumo::DrawTexture::kAtlas && q.x0 >= logo.x && q.y0 >= logo.y &&
            q.x1 <= logo.x + logo.width && q.y1 <= logo.y + logo.height)
            last_logo = i;
        if (q.texture == lumo::DrawTexture::kFont && first_text < 0 && q.y0 >= app.fps_readout.y &&
            q.x0 >= app.fps_readout.x && q.x1 <= app.fps_readout.x + app.fps_readout.width)
            first_text = i;
    }
    ASSERT_GE(last_logo, 0) << "HIDELOGO shows";
    ASSERT_GE(first_text, 0) << "the read-out shows";
    EXPECT_GT(app.fps_readout.x + app.fps_readout.width, logo.x) << "the two overlap";
    EXPECT_LT(last_logo, first_text);
    destroy_application();
}

// Before anything is pressed: the run pane shows the optimal-CSG mode with
// its title, column and features, CULLING on in bold and PROFILER off; the
// parallel flags MCP, Cull and IG are on, CCPP and P-Op. off; of the settings
// bar's FULLSCREEN, LOCK and SLIDERS only SLIDERS is marked.
TEST(InterfaceConstruction, TheRunPaneAndTheOptionButtonsShowTheStartValues)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    EXPECT_EQ(app.run_pane.mode_title.label, "Optimal-CSG Mesh");
    for (std::size_t cell = 0; cell < app.run_pane.mode_cells.size(); ++cell)
        EXPECT_EQ(app.run_pane.mode_cells[cell].selected, cell % 3 == 2) << cell;
    for (const lumo::T& row : app.run_pane.feature_rows)
        EXPECT_EQ(row.font, lumo::kFontSmallBold) << row.label << ": optimal CSG has them all";
    EXPECT_TRUE(app.execution_mode_buttons[2].selected);
    EXPECT_EQ(std::pair(app.culling_toggle.selected, app.culling_toggle.font),
              std::pair(true, int{lumo::kFontSmallBold}));
    EXPECT_EQ(std::pair(app.profiler_toggle.selected, app.profiler_toggle.font),
              std::pair(false, int{lumo::kFontSmall}));
    const std::array<bool, 5> flags{true, true, true, false, false};
    for (std::size_t i = 0; i < flags.size(); ++i)
        EXPECT_EQ(app.parallel_option_toggles[i].selected, flags[i]) << i;
    // The settings bar's items that act at once are marked as their state
    // stands: only the slider bar shows, and the first click hides it.
    const std::pair<int, bool> items[] = {{SETTINGS_MENU_FULLSCREEN, false},
                                          {SETTINGS_MENU_LOCK, false},
                                          {SETTINGS_MENU_SLIDERS, true}};
    for (const auto& [item, on] : items)
        EXPECT_EQ(app.settings_bar_items[static_cast<std::size_t>(item)].selected, on) << item;
    EXPECT_TRUE(app.slider_bar.visible);
    app.settings_bar_items[SETTINGS_MENU_SLIDERS].on_click();
    EXPECT_FALSE(app.slider_bar.visible);
    EXPECT_FALSE(app.settings_bar_items[SETTINGS_MENU_SLIDERS].selected);
    destroy_application();
}

// Before the first script the parameter panel has no entity to act on, as
// after a selection is cleared; the header keeps its start text.
TEST(InterfaceConstruction, BeforeTheFirstScriptTheParameterPanelIsEmpty)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    const ParameterControlWidgets& panel = app.lists.parameters;
    EXPECT_EQ(panel.header.label, ": (none selected)");
    EXPECT_FALSE(panel.title.enabled);
    for (const lumo::P* hidden :
         {static_cast<const lumo::P*>(&panel.execute_mode), &panel.variants_button,
          static_cast<const lumo::P*>(&panel.details)})
        EXPECT_FALSE(hidden->visible);
    for (const lumo::P* dimmed : {&panel.toggles[0], &panel.toggles[1], &panel.toggles[2],
                                  &panel.reset_button, &panel.apply_button})
        EXPECT_DOUBLE_EQ(dimmed->opacity, 0.5) << dimmed->label;
    destroy_application();
}

} // namespace

namespace {

// Fields that take typing are framed in grey, and the parse report's views
// keep grey borders whatever the theme.
TEST(InterfaceConstruction, TypedSettingsFieldsAndTheReportViewsWearGreyFrames)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    const auto grey = [](const lumo::Border& b) {
        return b.width == 1 && b.style == nullptr && b.colour == 0xFF808080u;
    };
    for (const lumo::F* field : {&app.window_width_field, &app.window_height_field,
                                 &app.frame_rate_limit_field, &app.eye_height_field})
        EXPECT_TRUE(grey(field->border_left) && grey(field->border_top) &&
                    grey(field->border_right) && grey(field->border_bottom));
    EXPECT_FALSE(grey(app.mono_edge_tone_field.border_left)) << "a stepped tone is not typed";
    for (const lumo::SP* view : {&app.parse_report.row_scroll, &app.parse_report.report_scroll})
        EXPECT_TRUE(grey(view->parts[lumo::SP::kThumbY].border_left));
    destroy_application();
}

} // namespace

namespace {

// The directive column's foot: every label fits its button with room to
// spare, and no two buttons share a pixel.
TEST(InterfaceConstruction, TheDirectiveFootGivesEveryLabelRoom)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    std::vector<const lumo::P*> buttons;
    for (const lumo::P& button : app.directive_column.buttons)
        buttons.push_back(&button);
    for (const lumo::P& button : app.directive_option_buttons)
        buttons.push_back(&button);
    const auto overlap = [](const lumo::P* a, const lumo::P* b) {
        return a->x < b->x + b->width && b->x < a->x + a->width && a->y < b->y + b->height &&
               b->y < a->y + a->height;
    };
    for (const lumo::P* button : buttons) {
        const int text = lumo::text_width(lumo::font_or_default(button->font), button->label);
        EXPECT_LE(text + 4, button->width) << button->label;
        for (const lumo::P* other : buttons)
            EXPECT_TRUE(other == button || !overlap(button, other))
                << button->label << " over " << other->label;
    }
    destroy_application();
}

// The directive pane's title icon stands before its title: the one the
// interface is built with, then the one the variant placeholder gives it.
TEST(InterfaceConstruction, TheDirectivePaneShowsTheTitleIconItIsOpenedWith)
{
    create_application();
    Application& app = *g_app;
    build_application_ui(app);
    const DialogWidgets& pane = app.directive_pane;
    refresh_root(app);
    EXPECT_EQ(pane.icon.icon, 50);
    show_variant_directives_placeholder(app);
    EXPECT_TRUE(pane.pane.visible);
    EXPECT_EQ(pane.icon.icon, 35);
    EXPECT_GT(pane.icon.width, 0);
    EXPECT_LE(pane.icon.x + pane.icon.width, pane.title.x) << "the icon does not cover the title";
    destroy_application();
}

} // namespace
