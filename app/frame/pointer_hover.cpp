#include "app/frame/pointer_hover.h"

#include "lumo/widget.h"
#include "state/application.h"

void keep_pick_hint(Application& app, const lumo::P* tooltip_before, std::int32_t x,
                    std::int32_t y)
{
    lumo::P& indicator = app.llmi_indicator;
    if (tooltip_before != &indicator || lumo::g_tooltip_widget != nullptr ||
        app.view_settings.pick_mode == '!' || indicator.hint_title == nullptr)
        return;
    const lumo::VL& view = app.view;
    if (view.visible && view.pane_at(x - view.x, y - view.y) >= 0)
        lumo::g_tooltip_widget = &indicator;
}

bool settle_hover(Application& app, std::int32_t x, std::int32_t y)
{
    const lumo::P* hovered = lumo::g_hovered_widget;
    const lumo::P* tooltip = lumo::g_tooltip_widget;
    lumo::settle_hover(app.root, x, y);
    keep_pick_hint(app, tooltip, x, y);
    return hovered != lumo::g_hovered_widget || tooltip != lumo::g_tooltip_widget;
}

void settle_hover_after_layout(Application& app)
{
    if (lumo::g_drag_widget != nullptr || lumo::g_active_widget_id != -1) return;
    settle_hover(app, app.pointer_position[0], app.pointer_position[1]);
}
