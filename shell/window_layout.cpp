#include "shell/window_layout.h"

#include <utility>

#include "state/application.h"
#include "platform/window_callbacks.h"

namespace {

// The quantities every step reads, computed once per layout pass.
struct Frame {
    int W, H;
    int S, N, U, M, T, G;
    int thin, thick;
    int L, R, D, D0, Q, PF, LI, V, C;
    bool flipped, hidden, minimal, vis, anim, locked, colour_fn, sliders, framed;
    bool first_path; // no settings drop-down to make room for
};

bool flag(const Application& app, PanelFlag f)
{
    return app.view_settings.panel_flags[f] != 0;
}

Frame measure(const Application& app, int W, int H)
{
    const LayoutMetrics& m = app.layout;
    const ViewSettings& vs = app.view_settings;
    const PanelLayoutState& pl = app.panel_layout;
    Frame f{};
    f.W = W;
    f.H = H;
    f.S = m.side_panel_width;
    f.N = m.menu_column_width;
    f.U = m.bar_unit;
    f.M = m.row_height;
    f.T = m.strip_height;
    f.G = m.gap;
    f.thin = m.thin_border;
    f.thick = m.thick_border;
    f.flipped = flag(app, PANEL_VERTICAL_FLIP);
    f.hidden = flag(app, PANEL_QUICK_HIDE);
    f.minimal = vs.minimal_mode != 0;
    f.locked = flag(app, PANEL_VIEW_LOCK);
    f.sliders = flag(app, PANEL_SLIDER_BAR_VISIBLE);
    f.framed = flag(app, PANEL_FRAME_MODE);
    f.colour_fn = vs.colour_mode == COLOUR_SCHEME_FUNCTION;
    f.L = flag(app, PANEL_SIDE_PANEL_SHOWN) ? f.S : 0;
    const bool settings_bar = flag(app, PANEL_SETTINGS_BAR_VISIBLE);
    f.R = settings_bar ? f.U : 0;
    const bool directives = pl.directive_shown && !app.directive_menus.camera_rows.empty() &&
                            app.camera_mode == CAMERA_FREE_ROAM;
    f.D0 = directives ? 2 * f.U : 0;
    f.D = (!f.hidden || f.minimal) ? f.D0 : 0;
    f.Q = (pl.parallel_flags_shown ? f.T : 0) + (pl.inspector_shown ? f.T : 0);
    f.PF = pl.parallel_flags_shown && pl.parallel_flags_expanded ? 2 * f.U + 240 : 0;
    f.LI = pl.inspector_shown && pl.inspector_expanded ? 5 * f.T + 2 * f.U : 0;
    f.vis = pl.variants_shown && app.variant_count >= 1;
    f.V = pl.variants_expanded ? 4 * f.U : f.T;
    f.anim = vs.animation_enabled && app.animation_directive_count >= 1;
    f.C = H - 2 * f.M - f.U - f.T;
    f.first_path = !settings_bar || vs.open_settings_menu == -1;
    return f;
}

void set_borders(lumo::P& w, int left, int top, int right, int bottom)
{
    w.border_left.width = left;
    w.border_top.width = top;
    w.border_right.width = right;
    w.border_bottom.width = bottom;
}

void place_step1(Application& app, const Frame& f)
{
    const LayoutMetrics& m = app.layout;
    for (lumo::P* w :
         {static_cast<lumo::P*>(&app.border), static_cast<lumo::P*>(&app.backdrop),
          static_cast<lumo::P*>(&app.dialog_layer), static_cast<lumo::P*>(&app.run_overlay.overlay),
          static_cast<lumo::P*>(&app.resize_notice.notice)}) {
        w->x = 0;
        w->width = f.W;
        w->height = f.H;
    }
    set_rect(app.dialog_frame, f.W / 2 - m.dialog_width / 2, f.H / 2 - m.dialog_height / 2,
             m.dialog_width, m.dialog_height);
    set_rect(app.run_overlay.box, f.W / 2 - 64, f.H / 2 - 64, 128, 128);
    set_rect(app.resize_notice.icon_box, f.W / 2 - 32, f.H / 2 - 64, 64, 64);
    // The notice's lines are centred across the whole window, below the icon.
    set_rect(app.resize_notice.text, 0, f.H / 2 + f.G, f.W, f.H / 2 - f.G);
    app.parallel_flags_toggle.x = 0;
    app.llmi_toggle.x = f.Q - f.T;
    app.parallel_flags_strip.panel.border_right.width = f.thick;
    app.inspector_strip.panel.border_right.width = f.thick;
    const int foot = DIRECTIVE_FOOT_ROWS * (f.U / 2);
    const int south =
        app.panel_layout.directive_widened ? foot + f.U : foot + (f.hidden ? f.M - f.U / 2 : 0);
    app.directive_column.column.sizes[lumo::BL::kSouth] = south;
}

void place_bars(Application& app, const Frame& f)
{
    const int W = f.W, H = f.H, U = f.U, M = f.M, T = f.T, G = f.G, N = f.N;
    const int L = f.L, R = f.R, D = f.D, C = f.C;
    const bool fl = f.flipped;
    set_rect(app.toolbar.bar, 0, fl ? H - U : 0, W, U);
    set_rect(app.tip_bar.bar, 0, fl ? H - M - U : U, W - R, M);
    set_rect(app.control_pane, 0, fl ? T + M : U + M, f.S, C);
    set_rect(app.content_pane, L, fl ? T + M : U + M, W - R - L, C);
    set_rect(app.settings_bar, W - N, fl ? M : U, N, H - U - M);
    set_rect(app.status_bar.bar, 0, fl ? M : H - T - M, W - R, T);
    set_rect(app.tab_bar.bar, 0, fl ? 0 : H - M, W, M);
    set_rect(app.slider_bar, L, fl ? M + T : H - 2 * T - M, W - R - L, T);
    set_rect(app.colour_bar.bar, L, fl ? H - T - U - M : U + M, W - R - L, T);
    set_rect(app.settings_menu_pane, W - 2 * U - R, fl ? H - U - 7 * M : U, 2 * U, 7 * M);
    set_rect(app.hint_bar.bar, L, fl ? M + T : U + M, fl ? W - D - R - L : W - R - L, M + 2 * G);
    set_rect(app.parallel_flags_strip.panel, f.Q, fl ? M : H - T - M, f.PF, T);
    set_rect(app.inspector_strip.panel, f.Q, fl ? M : H - T - M, f.LI, T);
    app.parallel_flags_toggle.y = fl ? M : H - M - T;
    app.llmi_toggle.y = fl ? M : H - M - T;
    lumo::BL& column = app.directive_column.column;
    set_rect(column, W - 2 * U - R, fl ? T + M : U + M, 2 * U, C);
    set_rect(app.directive_column.grip, column.x + 2 * U - 12 - D, column.y + T - 1, 12, 24);
    set_rect(app.variants_panel.panel, G + L, fl ? H - G - U - M - f.V : H - G - M - f.V - T, 3 * U,
             f.V);
    set_rect(app.animation_control, W - 2 * (U + 2 * M), fl ? 0 : H - M, 4 * M, M);
    set_rect(app.expand_button, W - M - R, fl ? H - 2 * M - U : H - 2 * M - T, M, M);
    for (lumo::P* w :
         {static_cast<lumo::P*>(&app.mask_pane), static_cast<lumo::P*>(&app.overlay)}) {
        w->x = 0;
        w->width = W;
        w->height = H;
    }
    set_rect(app.hide_logo, W - G - D - 64, H - G - 64, 64, 64);
    const int icon = N - G;
    set_rect(app.lock_icon, fl ? W - R - icon : W - R - D - icon,
             fl ? H - U - M - icon : H - M - T - icon, icon, icon);
    // Below the bars the card reaches down to the tab strip (one pixel into
    // the tab bar): the pointer goes from a tab up to the card's close box
    // without crossing another widget, a move over which ends the hover.
    lumo::KL& card = app.tab_bar.hover_card;
    card.y = fl ? M : H - M - 98;
    card.height = fl ? HOVER_CARD_HEIGHT : H - M + 1 - card.y;
    lumo::P& fps = app.fps_readout;
    set_rect(fps, app.content_pane.width - D - (fl ? 128 : 160),
             fl ? 0 : app.content_pane.height - 32, 128, 32);
}

void place_borders(Application& app, const Frame& f)
{
    const bool fl = f.flipped;
    for (lumo::P* w : {&app.parallel_flags_toggle, &app.llmi_toggle,
                       static_cast<lumo::P*>(&app.parallel_flags_strip.panel),
                       static_cast<lumo::P*>(&app.inspector_strip.panel)}) {
        w->border_top.width = fl ? 0 : f.thin;
        w->border_bottom.width = fl ? f.thin : 0;
    }
    set_borders(app.animation_control, f.thick, fl ? 0 : f.thick, 0, fl ? f.thick : 0);
    if (!app.tab_bar.hover_card.children.empty())
        app.tab_bar.hover_card.children.front()->y = fl ? 0 : 2;
    app.fps_readout.padding.right = fl ? 2 * f.G : f.G;
    const int left = f.vis && app.panel_layout.variants_expanded ? f.G + 3 * f.U : 0;
    const int slider_part = fl ? (f.colour_fn ? f.T : 0) : (f.sliders ? f.T : 0);
    const int variants_part = f.vis && !app.panel_layout.variants_expanded ? f.T - 1 + f.G : 0;
    for (lumo::T& text : app.statistics_texts) {
        text.margin.left = left;
        text.margin.bottom = slider_part + variants_part;
    }
}

void adjust_normal(Application& app, const Frame& f)
{
    const int U = f.U, M = f.M, T = f.T;
    lumo::BL& column = app.directive_column.column;
    if (f.locked) app.fps_readout.x += 2 * f.G + 32 - f.N;
    if (f.first_path) {
        app.hint_bar.bar.width -= f.D;
    } else {
        app.tip_bar.bar.width -= 2 * U;
        app.colour_bar.bar.width -= 2 * U;
        app.hint_bar.bar.width -= 2 * U;
        column.y += 6 * M;
        column.height -= 6 * M;
    }
    app.expand_button.x -= f.D;
    if (f.sliders) {
        app.lock_icon.y -= T;
        app.fps_readout.y -= T;
        app.variants_panel.panel.y -= T;
        app.expand_button.y -= T;
        column.height -= T;
    }
    if (f.colour_fn) {
        app.hint_bar.bar.y += T;
        if (f.first_path) {
            column.y += T;
            column.height -= T;
        }
    }
}

void adjust_flipped(Application& app, const Frame& f)
{
    const int U = f.U, M = f.M, T = f.T;
    lumo::BL& column = app.directive_column.column;
    if (f.first_path) {
        app.lock_icon.x -= f.D;
        if (f.D0 != 0) app.expand_button.x -= 2 * U;
    } else {
        app.tip_bar.bar.width -= 2 * U;
        app.colour_bar.bar.width -= 2 * U;
        app.lock_icon.x -= 2 * U;
        column.height -= 6 * M;
        app.expand_button.x -= 2 * U;
    }
    if (f.colour_fn) {
        app.lock_icon.y -= T;
        app.variants_panel.panel.y -= T;
        app.expand_button.y -= T;
        if (f.first_path) column.height -= T;
    }
    if (f.sliders) {
        app.hint_bar.bar.y += T;
        app.fps_readout.y += T;
        column.y += T;
        column.height -= T;
    }
}

std::array<lumo::P*, 4> strips_and_toggles(Application& app)
{
    return {&app.parallel_flags_toggle, &app.llmi_toggle, &app.parallel_flags_strip.panel,
            &app.inspector_strip.panel};
}

void minimal_strip(Application& app, const Frame& f)
{
    const int W = f.W, H = f.H, U = f.U, M = f.M, T = f.T;
    lumo::P& strip = app.quick_hide_strips[0];
    strip.width = W - f.D;
    if (f.flipped) {
        strip.y = 0;
        set_borders(strip, strip.border_left.width, 0, strip.border_right.width, f.thick);
        app.hint_bar.bar.y += M;
        app.fps_readout.y += M;
        app.directive_column.grip.y = M + T - 1;
    } else {
        strip.y = H - M;
        set_borders(strip, strip.border_left.width, f.thick, strip.border_right.width, 0);
        for (lumo::P* w : {&app.expand_button, &app.fps_readout, &app.hide_logo, &app.lock_icon})
            w->y -= M;
        if (!(f.vis && !app.panel_layout.variants_expanded))
            for (lumo::T& text : app.statistics_texts)
                text.margin.bottom += M;
    }
    for (lumo::P* w : strips_and_toggles(app)) {
        w->border_top.width = f.thin;
        w->border_bottom.width = f.thin;
    }
    const int avail = f.anim ? W - 2 * (U + 2 * M) : (f.D0 != 0 ? W - 2 * U : W);
    for (lumo::P* panel : {static_cast<lumo::P*>(&app.parallel_flags_strip.panel),
                           static_cast<lumo::P*>(&app.inspector_strip.panel)}) {
        if (panel->x + panel->width > avail) {
            panel->width = avail - panel->x;
            panel->border_right.width = 0;
        }
    }
    // A strip cut short scrolls its content by its wheel's fraction.
    const std::pair<StripWidgets*, double> strips[] = {
        {&app.parallel_flags_strip,
         app.view_settings.minimal_scroll_fractions[MINIMAL_SCROLL_PARALLEL_FLAGS]},
        {&app.inspector_strip,
         app.view_settings.minimal_scroll_fractions[MINIMAL_SCROLL_INSPECTOR]}};
    for (const auto& [strip, fraction] : strips)
        strip->content.x =
            lumo::scroll_offset(strip->panel.width, strip->content.width, fraction, true);
}

void quick_hide(Application& app, const Frame& f)
{
    const int W = f.W, H = f.H, U = f.U, M = f.M, T = f.T, G = f.G, D = f.D;
    const bool collapsed_variants = f.vis && !app.panel_layout.variants_expanded;
    set_rect(app.content_pane, 0, 0, W, H);
    set_rect(app.hint_bar.bar, 0, 0, W - D, M + 2 * G);
    for (lumo::T& text : app.statistics_texts)
        text.margin.bottom = collapsed_variants ? T - 1 + G : 0;
    const int icon = f.N - G;
    set_rect(app.lock_icon, W - D - icon, H - icon, icon, icon);
    for (lumo::P* w : strips_and_toggles(app))
        w->y = f.flipped ? M - T : H - M;
    int fps_x = W - D - 128;
    if (!f.flipped) fps_x -= f.locked ? icon : M;
    app.fps_readout.x = fps_x;
    app.fps_readout.y = f.flipped ? 0 : H - 32;
    set_rect(app.directive_column.column, W - 2 * U, 0, 2 * U, H);
    set_rect(app.directive_column.grip, W - 12 - D, T - 1, 12, 24);
    set_rect(app.variants_panel.panel, G, H - G - f.V, 3 * U, f.V);
    set_rect(app.expand_button, W - M - D, H - M, M, M);
    if (f.minimal) {
        if (f.D0 == 0) app.animation_control.border_right.width = f.thick;
        if (f.vis && !f.flipped)
            for (lumo::P* w : strips_and_toggles(app))
                w->x += G + 3 * U;
        const PanelLayoutState& pl = app.panel_layout;
        if (f.anim || pl.parallel_flags_shown || pl.inspector_shown) minimal_strip(app, f);
    } else {
        for (lumo::T& text : app.statistics_texts) {
            text.margin.left = 0;
            text.margin.bottom = 0;
        }
    }
}

void place_step5(Application& app, const Frame& f)
{
    const int W = f.W, H = f.H, U = f.U, M = f.M, T = f.T, G = f.G, L = f.L, R = f.R, C = f.C;
    for (std::size_t i = 0; i < app.statistics_texts.size(); ++i)
        set_rect(app.statistics_texts[i], G + static_cast<int>(i), G + static_cast<int>(i),
                 app.content_pane.width - 2 * G, app.content_pane.height - 2 * G);
    const lumo::P& strip = app.quick_hide_strips[0];
    set_rect(app.quick_hide_strips[1], strip.x, strip.y, strip.width, strip.height);
    set_rect(app.caption_box, G, H - M, 3 * U, M - G);
    VariantsPanelWidgets& variants = app.variants_panel;
    variants.list.x = 0;
    variants.list.width = 3 * U;
    variants.header.x = 0;
    variants.header.y = 0;
    variants.header.width = 3 * U;
    // Expanded, the title moves from the header to the footer below the list.
    const bool expanded = app.panel_layout.variants_expanded != 0;
    set_rect(variants.footer, 0, f.V - T, 3 * U, T);
    variants.footer.visible = expanded;
    variants.list.visible = expanded;
    if (expanded) {
        variants.header.height = 8;
        variants.header.padding.left = 3 * U;
        variants.list.y = 8;
        variants.list.height = 4 * U - 8 - T;
    } else {
        variants.header.height = T;
        variants.header.padding.left = G;
        variants.list.y = T;
        variants.list.height = 2 * (2 * U - T);
    }
    const int top_bars = f.flipped ? T + M : M + U;
    if (f.framed) {
        set_rect(app.no_render, L - 64 + (W - R - L) / 2, C / 2 + top_bars - 64, 128, 96);
    } else {
        set_rect(app.no_render, W / 2 - 64, H / 2 - 64, 128, 96);
    }
    if (f.framed && !f.hidden) {
        set_rect(app.centre_marker, (W - R - L) / 2 - G / 2 + L, C / 2 - G / 2 + top_bars, G, G);
    } else {
        set_rect(app.centre_marker, W / 2 - G / 2, H / 2 - G / 2, G, G);
    }
}

} // namespace

void set_rect(lumo::P& widget, int x, int y, int width, int height)
{
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
}

void lay_out_root(Application& app, int width, int height)
{
    const Frame f = measure(app, width, height);
    place_step1(app, f);
    place_bars(app, f);
    place_borders(app, f);
    if (f.flipped)
        adjust_flipped(app, f);
    else
        adjust_normal(app, f);
    if (f.hidden) quick_hide(app, f);
    place_step5(app, f);
}

void lay_out_view_panels(Application& app, int width, int height)
{
    const Frame f = measure(app, width, height);
    const bool strip_shown = app.quick_hide_strips[0].visible;
    const bool column_shown = app.directive_column.column.visible;
    const bool minimal_panel = app.view_settings.minimal_panel != 0;
    std::array<int, 4>& view = app.panel_layout.view_rect;
    if (f.hidden && minimal_panel) {
        view = {0, f.flipped && strip_shown ? f.M : 0, f.W - (column_shown ? 2 * f.U : 0),
                f.H - (strip_shown ? f.M : 0)};
    } else if (f.framed && !f.hidden) {
        view = {f.L, f.flipped ? f.T + f.M : f.M + f.U, f.W - f.R - f.L, f.H - 2 * f.M - f.T - f.U};
    } else {
        view = {0, 0, f.W, f.H};
    }
    if (!app.panel_layout.view_panes_enabled) return;
    lumo::VL& widget = app.view;
    set_rect(widget, view[0], view[1], view[2], view[3]);
    lumo::Insets insets;
    if (!f.hidden) {
        insets.top = app.colour_bar.bar.visible ? f.T : 0;
        insets.bottom = app.slider_bar.visible ? f.T : 0;
        insets.right = column_shown ? 2 * f.U : 0;
        if (!f.framed) {
            insets.left += f.L;
            insets.top += f.M + f.U;
            insets.right += f.R;
            insets.bottom += f.T + f.M;
        }
    } else if (!minimal_panel) {
        insets.right = column_shown ? 2 * f.U : 0;
        insets.bottom = strip_shown ? f.M : 0;
    }
    if (f.flipped) std::swap(insets.top, insets.bottom);
    widget.insets = insets;
}

void select_subview_rect(Application& app, int pane)
{
    const lumo::VL& widget = app.view;
    std::array<int, 4>& view = app.panel_layout.view_rect;
    if (pane >= 0 && pane < widget.pane_count() &&
        pane < static_cast<int>(widget.pane_widgets.size())) {
        const lumo::P& frame = widget.pane_widgets[static_cast<std::size_t>(pane)];
        view = {widget.x + frame.x, widget.y + frame.y, frame.width, frame.height};
    } else {
        view = {widget.x, widget.y, widget.width, widget.height};
    }
}
