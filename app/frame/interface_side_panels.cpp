// The side panel area: the control pane and its three side panels, with the
// console's channel tabs and views in the first. The entity inspector's and
// the parameter panel's lists and details come from list_panels.cpp.

#include "app/frame/interface_construction.h"

#include "app/frame/interface_styles.h"
#include "lumo/font.h"
#include "shell/menu_labels.h"
#include "shell/menu_rows.h"
#include "shell/themes.h"
#include "shell/window_layout.h"
#include "state/application.h"

void build_side_panels(Application& app)
{
    const LayoutMetrics& m = app.layout;
    fill_with(app.control_pane, STYLE_PANEL);
    set_border(app.control_pane.border_right, m.thin_border, STYLE_BORDER_RIGHT);
    const LabelGroup& channels = label_group(MENU_TABLE_CONSOLE_CHANNELS);
    ConsoleWidgets& console = app.console;
    for (int i = 0; i < 4; ++i) {
        const auto index = static_cast<std::size_t>(i);
        lumo::P& tab = app.console_channel_tabs[index];
        style_button(app, tab, channels, i);
        // The four tabs leave the strip's end to the side panel's close box.
        const int tab_width = (m.side_panel_width - m.strip_height) / 4;
        set_rect(tab, i * tab_width, 0, tab_width, m.strip_height);
        app.side_panels[0].add_child(&tab);
    }
    app.console_channel_tabs[0].selected = true;
    // Each view is sized to its lines plus a gap on every side.
    for (lumo::T& text : app.text_views) {
        style_text(app, text, "", lumo::kFontSmall);
        text.padding.left = text.padding.top = m.gap;
    }
    for (lumo::SP* scroll : {&console.channel_scroll, &console.log_scroll}) {
        apply_theme_to_styles(app, *scroll);
        app.side_panels[0].add_child(scroll);
    }
    console.log_scroll.add_child(&app.text_views[0]);
    console.channel_scroll.add_child(&app.text_views[1]);
    build_list_panels(app);
    for (std::size_t i = 0; i < app.side_panels.size(); ++i) {
        app.side_panels[i].visible = static_cast<int>(i) == app.view_settings.open_side_panel;
        app.control_pane.add_child(&app.side_panels[i]);
    }
    app.control_pane.visible = app.view_settings.panel_flags[PANEL_SIDE_PANEL_SHOWN] != 0;
}
