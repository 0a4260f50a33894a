#include "app/actions/wheel_steppers.h"

#include <algorithm>
#include <array>

#include "state/application.h"
#include "shell/refresh.h"

namespace {

struct StepperRule {
    double step;
    bool consumed_when_still;
    // True when the strip's view is too small for its content.
    bool (*needs_scrolling)(const Application&);
};

bool navigator_list_scrolls(const Application& app)
{
    return app.navigator_pane.list_area.height <= app.navigator_rows.list.height;
}

bool navigator_path_scrolls(const Application& app)
{
    return app.navigator_pane.path_bar.width <= app.navigator_rows.path_strip.width;
}

bool tabs_scroll(const Application& app)
{
    return app.tab_bar.scroll.width <= app.environment_tabs.strip.width + 2 * app.layout.gap;
}

bool status_scrolls(const Application& app)
{
    return app.status_bar.scroll.width <= app.status_width;
}

bool tools_scroll(const Application& app)
{
    return app.toolbar.scroll.width <= TOOL_MENU_COUNT * app.layout.bar_unit;
}

bool menus_scroll(const Application& app)
{
    return app.menu_bar.scroll.height <= SETTINGS_MENU_COUNT * app.layout.menu_column_width;
}

bool sliders_scroll(const Application& app)
{
    return app.slider_bar_parts.scroll.width <= app.layout.slider_switch_width;
}

bool colours_scroll(const Application& app)
{
    return app.colour_bar.scroll.width <= app.layout.bar_unit + app.colour_bar.content_width;
}

bool directives_scroll(const Application& app)
{
    const DirectiveColumnWidgets& column = app.directive_column;
    return column.list_area.height <= column.list.height + 2 * app.layout.gap;
}

bool variants_scroll(const Application& app)
{
    return app.variants_panel.list.height <
           static_cast<int>(app.variant_rows.size()) * app.layout.strip_height;
}

// The status bar's strips are cut short where the window ends.
bool strip_scrolls(const StripWidgets& strip)
{
    return strip.panel.width < strip.content.width;
}

bool parallel_flags_scroll(const Application& app)
{
    return strip_scrolls(app.parallel_flags_strip);
}

bool inspector_scrolls(const Application& app)
{
    return strip_scrolls(app.inspector_strip);
}

constexpr double BAR_STEP = 0.125;
constexpr int RUN_PANE_STEP = 48;
constexpr double NAVIGATOR_LIST_STEP = 0.05;

constexpr std::array<StepperRule, SCROLL_STRIP_COUNT> RULES{{
    {NAVIGATOR_LIST_STEP, false, navigator_list_scrolls},
    {BAR_STEP, false, navigator_path_scrolls},
    {BAR_STEP, true, tabs_scroll},
    {BAR_STEP, true, status_scrolls},
    {BAR_STEP, true, tools_scroll},
    {BAR_STEP, true, menus_scroll},
    {BAR_STEP, true, sliders_scroll},
    {BAR_STEP, true, colours_scroll},
    {BAR_STEP, true, directives_scroll},
    {BAR_STEP, true, variants_scroll},
    {BAR_STEP, true, parallel_flags_scroll},
    {BAR_STEP, true, inspector_scrolls},
}};

} // namespace

double& scroll_strip_fraction(Application& app, ScrollStrip strip)
{
    std::array<double, PANE_SCROLL_COUNT>& panes = app.view_settings.pane_scroll_fractions;
    std::array<double, MINIMAL_SCROLL_COUNT>& minimal = app.view_settings.minimal_scroll_fractions;
    switch (strip) {
    case SCROLL_STRIP_NAVIGATOR_LIST:
        return app.navigator.list_scroll;
    case SCROLL_STRIP_NAVIGATOR_PATH:
        return app.navigator.path_scroll;
    case SCROLL_STRIP_TABS:
        return panes[PANE_SCROLL_TABS];
    case SCROLL_STRIP_STATUS:
        return panes[PANE_SCROLL_STATUS];
    case SCROLL_STRIP_TOOLS:
        return panes[PANE_SCROLL_TOOLS];
    case SCROLL_STRIP_MENUS:
        return panes[PANE_SCROLL_MENUS];
    case SCROLL_STRIP_SLIDERS:
        return panes[PANE_SCROLL_SLIDERS];
    case SCROLL_STRIP_COLOURS:
        return panes[PANE_SCROLL_COLOURS];
    case SCROLL_STRIP_VARIANTS:
        return minimal[MINIMAL_SCROLL_VARIANTS];
    case SCROLL_STRIP_PARALLEL_FLAGS:
        return minimal[MINIMAL_SCROLL_PARALLEL_FLAGS];
    case SCROLL_STRIP_INSPECTOR:
        return minimal[MINIMAL_SCROLL_INSPECTOR];
    default:
        return minimal[MINIMAL_SCROLL_DIRECTIVES];
    }
}

bool step_scroll_strip(Application& app, ScrollStrip strip, int steps)
{
    if (strip < 0 || strip >= SCROLL_STRIP_COUNT) return false;
    const StepperRule& rule = RULES[static_cast<std::size_t>(strip)];
    if (!rule.needs_scrolling(app)) return rule.consumed_when_still;
    double& fraction = scroll_strip_fraction(app, strip);
    const double moved = std::clamp(fraction + steps * rule.step, 0.0, 1.0);
    if (moved == fraction) return rule.consumed_when_still;
    fraction = moved;
    refresh_root(app);
    return true;
}

bool step_run_pane_text(Application& app, int steps)
{
    lumo::KL& body = app.run_pane.body;
    if (body.content_height <= body.height) return true;
    const int offset = std::clamp(body.content_offset_y - steps * RUN_PANE_STEP,
                                  body.height - body.content_height, 0);
    if (offset == body.content_offset_y) return true;
    body.content_offset_y = offset;
    refresh_root(app);
    return true;
}
