#include "panels/environment_tabs.h"

#include <algorithm>
#include <memory>

#include "state/application.h"
#include "panels/list_styles.h"
#include "shell/refresh.h"

namespace {

const FillStyle* active_style(const Application& app, int slot)
{
    return app.lists.fill_styles != nullptr ? &app.lists.fill_styles[slot] : nullptr;
}

std::unique_ptr<lumo::P> make_tab(const Application& app, std::int32_t index)
{
    auto tab = std::make_unique<lumo::P>();
    tab->x = 1 + ENVIRONMENT_TAB_WIDTH * index;
    tab->y = 0;
    tab->width = ENVIRONMENT_TAB_WIDTH;
    tab->height = app.layout.row_height - app.layout.gap - 2;
    tab->align_x = lumo::kAlignCentre;
    tab->align_y = lumo::kAlignCentre;
    tab->selected = index == app.current_environment_index;
    tab->fill = true;
    tab->fill_style = active_style(app, tab->selected ? STYLE_ROW_HIGHLIGHT : STYLE_TAB);
    tab->hover_style = active_style(app, STYLE_TAB_HOVER);
    tab->text_colour_override = app.lists.text_colour;
    tab->border_left.width = 1;
    tab->border_right.width = 1;
    tab->set_label(app.environment_tab_names[static_cast<std::size_t>(index)]);
    return tab;
}

} // namespace

std::int32_t environment_tab_at(std::int32_t x)
{
    return (x - 1) / ENVIRONMENT_TAB_WIDTH;
}

void rebuild_environment_tabs(Application& app)
{
    EnvironmentTabWidgets& widgets = app.environment_tabs;
    for (const auto& tab : widgets.tabs)
        if (app.hint_bar.last_tooltip == tab.get()) app.hint_bar.last_tooltip = nullptr;
    widgets.strip.children.clear();
    widgets.tabs.clear();
    widgets.strip.content_width = ENVIRONMENT_TAB_WIDTH * app.environment_tab_count + 2;
    // The strip is as wide as its tabs: TABSCROLL scrolls it by that width,
    // and a press between the tabs' borders still lands on it.
    widgets.strip.width = widgets.strip.content_width;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(app.environment_tab_count),
                                             app.environment_tab_names.size());
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(count); ++i) {
        widgets.tabs.push_back(make_tab(app, i));
        widgets.strip.add_child(widgets.tabs.back().get());
    }
    const std::int32_t hovered = app.hovered_environment_tab;
    widgets.hover_marker.visible = hovered >= 0 && hovered < app.environment_tab_count &&
                                   hovered != app.current_environment_index;
    app.tab_bar.hover_card.visible = widgets.hover_marker.visible;
    refresh_root(app);
}
