#include "lumo/widget.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "lumo/container.h"
#include "lumo/draw_list.h"
#include "lumo/font.h"

namespace lumo {

P* g_focused_widget = nullptr;
P* g_drag_widget = nullptr;
P* g_hovered_widget = nullptr;
P* g_tooltip_widget = nullptr;
int g_active_widget_id = -1;
std::uint32_t g_held_key_counts[3] = {0, 0, 0};
double g_theme_text_colour[4] = {0.125, 0.125, 0.125, 1.0};

namespace {

int g_widget_counter = 0;
// Bumped by every destruction: a handler that rebuilt rows under the
// pointer ends the bubbling, whose remaining path may now dangle.
unsigned g_destroyed_widgets = 0;

// Made by the first widget's construction, so it outlives every widget.
std::unordered_set<LiveEntry*>& live_entries()
{
    static std::unordered_set<LiveEntry*> entries;
    return entries;
}

template <typename Handler> bool bubble(const std::vector<HitStep>& path, Handler handler)
{
    const unsigned before = g_destroyed_widgets;
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        if (handler(*step)) return true;
        if (g_destroyed_widgets != before) return false;
    }
    return false;
}

// The deepest widget of the path that satisfies the test, or null.
template <typename Test> P* deepest(const std::vector<HitStep>& path, Test test)
{
    for (auto step = path.rbegin(); step != path.rend(); ++step)
        if (test(*step->widget)) return step->widget;
    return nullptr;
}

// The pointer over the path's deepest widget: the innermost widget with a
// hover style is hovered, the innermost with a hint shows it. True when
// either changed.
bool hover_along(const std::vector<HitStep>& path)
{
    P* hover = deepest(path, [](const P& w) { return w.has_hover_style(); });
    P* tooltip = deepest(path, [](const P& w) { return w.has_hint(); });
    const bool changed = hover != g_hovered_widget || tooltip != g_tooltip_widget;
    if (hover != g_hovered_widget) {
        if (g_hovered_widget != nullptr) g_hovered_widget->hovered = false;
        if (hover != nullptr) hover->hovered = true;
        g_hovered_widget = hover;
    }
    g_tooltip_widget = tooltip;
    return changed;
}

} // namespace

bool settle_hover(P& root, int px, int py)
{
    std::vector<HitStep> path;
    root.hit_test(px, py, 0, 0, path);
    return hover_along(path);
}

bool shift_held(int modifiers)
{
    return (modifiers & kModShift) != 0 || g_held_key_counts[1] != 0;
}

LiveEntry::LiveEntry()
{
    live_entries().insert(this);
}

LiveEntry::LiveEntry(const LiveEntry& /*other*/) : LiveEntry() {}

LiveEntry::~LiveEntry()
{
    live_entries().erase(this);
}

std::vector<P*> live_widgets()
{
    std::vector<P*> widgets;
    widgets.reserve(live_entries().size());
    for (LiveEntry* entry : live_entries())
        widgets.push_back(static_cast<P*>(entry));
    return widgets;
}

P::P() : id(g_widget_counter++) {}

P::~P()
{
    ++g_destroyed_widgets;
    if (g_focused_widget == this) g_focused_widget = nullptr;
    if (g_drag_widget == this) g_drag_widget = nullptr;
    if (g_hovered_widget == this) g_hovered_widget = nullptr;
    if (g_tooltip_widget == this) g_tooltip_widget = nullptr;
    if (g_active_widget_id == id) g_active_widget_id = -1;
}

// The joined text is sized once and handed over, not copied: the console
// hands its whole channel of up to 16 MiB over on every append.
void P::set_text_lines(const std::vector<std::string>& lines, int count)
{
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(lines.size())));
    std::size_t size = n > 0 ? n - 1 : 0;
    for (std::size_t i = 0; i < n; ++i)
        size += lines[i].size();
    std::string joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0) joined += '\n';
        joined += lines[i];
    }
    set_label(std::move(joined));
}

P* P::set_label(std::string text)
{
    label = std::move(text);
    measure_label();
    return this;
}

P* P::set_label_field(const std::string& text)
{
    return set_label(text);
}

void P::set_text_list(const std::vector<std::string>& lines)
{
    set_text_lines(lines, static_cast<int>(lines.size()));
}

void P::measure_label()
{
    TextMetrics metrics = measure_text(font_or_default(font), label);
    line_widths = std::move(metrics.line_widths);
    line_starts = std::move(metrics.line_starts);
    label_width = metrics.widest;
    label_height = metrics.height;
}

// A plain widget has no cursor to bring into view.
void P::scroll_text_field_to_cursor() {}

void P::drop_focus()
{
    focused = false;
    if (g_focused_widget == this) g_focused_widget = nullptr;
}

void P::refresh()
{
    if (on_refresh) on_refresh();
}

void P::set_layout_callback(LayoutFn callback)
{
    on_layout = callback;
}

void P::layout()
{
    if (on_layout) on_layout(width, height);
}

bool P::hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path)
{
    if (!takes_pointer() || !contains(px - parent_x, py - parent_y)) return false;
    path.push_back({this, parent_x + x, parent_y + y});
    return true;
}

DrawContext P::child_context(const DrawContext& parent) const
{
    DrawContext own = parent;
    own.x = parent.x + x;
    own.y = parent.y + y;
    own.opacity = parent.opacity * opacity;
    own.depth = parent.depth + depth_offset;
    return own;
}

void P::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own);
}

P::PressOutcome P::run_press_callback(int px, int py, int button)
{
    if (on_press == nullptr) return kPressPassed;
    const unsigned before = g_destroyed_widgets;
    if (on_press(px, py, button)) return kPressConsumed;
    return g_destroyed_widgets == before ? kPressPassed : kPressGone;
}

bool P::on_mouse_down(int px, int py, int button)
{
    // A widget that follows drags follows the one this press starts, also
    // when the press itself already acted (a scroll track jumps, then drags).
    // It holds the drag before its callback runs, so that a callback that
    // destroys it (a row rebuild) clears the drag again and nothing of the
    // widget is read afterwards.
    const bool follows_drags = on_drag_callback != nullptr;
    if (follows_drags) g_drag_widget = this;
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome == kPressGone) {
        if (g_drag_widget == this) g_drag_widget = nullptr;
        return false;
    }
    return follows_drags || outcome == kPressConsumed;
}

bool P::on_mouse_up(int px, int py, int button)
{
    bool consumed = on_release != nullptr && on_release(px, py, button);
    if (g_drag_widget == this) {
        g_drag_widget = nullptr;
        consumed = true;
    }
    return consumed;
}

bool P::on_drag(int px, int py, int button)
{
    return on_drag_callback != nullptr && on_drag_callback(px, py, button);
}

bool P::on_wheel(int px, int py, int steps)
{
    return on_wheel_callback != nullptr && on_wheel_callback(px, py, steps);
}

bool P::on_key_down(int key, int modifiers)
{
    return on_key_down_callback != nullptr && on_key_down_callback(key, modifiers);
}

bool P::on_key_up(int key, int modifiers)
{
    return on_key_up_callback != nullptr && on_key_up_callback(key, modifiers);
}

bool P::dispatch_mouse_down(int px, int py, int button)
{
    std::vector<HitStep> path;
    hit_test(px, py, 0, 0, path);
    P* target = path.empty() ? nullptr : path.back().widget;
    // Pressing anywhere but on the focused widget takes the focus away.
    if (g_focused_widget != nullptr && g_focused_widget != target) g_focused_widget->drop_focus();
    return bubble(path, [&](const HitStep& step) {
        // Captured before the call: a press that destroys its own widget (a
        // row rebuild) clears the capture again instead of reading it back.
        const int previous = g_active_widget_id;
        const int id = step.widget->id;
        g_active_widget_id = id;
        if (step.widget->on_mouse_down(px - step.origin_x, py - step.origin_y, button)) return true;
        if (g_active_widget_id == id) g_active_widget_id = previous;
        return false;
    });
}

bool P::dispatch_mouse_up(int px, int py, int button)
{
    if (g_drag_widget != nullptr) {
        P* dragged = g_drag_widget;
        const std::vector<HitStep> path = find_widget_path(this, dragged);
        const int ox = path.empty() ? 0 : path.back().origin_x;
        const int oy = path.empty() ? 0 : path.back().origin_y;
        dragged->on_mouse_up(px - ox, py - oy, button);
        return true;
    }
    std::vector<HitStep> path;
    hit_test(px, py, 0, 0, path);
    return bubble(path, [&](const HitStep& step) {
        return step.widget->on_mouse_up(px - step.origin_x, py - step.origin_y, button);
    });
}

bool P::dispatch_click(int px, int py)
{
    std::vector<HitStep> path;
    hit_test(px, py, 0, 0, path);
    return bubble(
        path, [](const HitStep& step) { return step.widget->on_click && step.widget->on_click(); });
}

bool P::dispatch_mouse_move(int px, int py)
{
    std::vector<HitStep> path;
    hit_test(px, py, 0, 0, path);
    hover_along(path);
    // A pointer outside the receiver (it left the window) is over none of its
    // widgets, so the receiver itself hears of it, as over its backdrop.
    if (path.empty()) return on_move && on_move(px - x, py - y, 0);
    return bubble(path, [&](const HitStep& step) {
        return step.widget->on_move &&
               step.widget->on_move(px - step.origin_x, py - step.origin_y, 0);
    });
}

bool P::dispatch_drag(int px, int py, int button)
{
    if (g_drag_widget == nullptr) return false;
    P* dragged = g_drag_widget;
    const std::vector<HitStep> path = find_widget_path(this, dragged);
    if (path.empty()) return false;
    return dragged->on_drag(px - path.back().origin_x, py - path.back().origin_y, button);
}

bool P::dispatch_wheel(int px, int py, int steps)
{
    std::vector<HitStep> path;
    hit_test(px, py, 0, 0, path);
    return bubble(path, [&](const HitStep& step) {
        return step.widget->on_wheel(px - step.origin_x, py - step.origin_y, steps);
    });
}

bool P::dispatch_key_down(int key, int modifiers)
{
    if (g_focused_widget != nullptr && g_focused_widget != this &&
        g_focused_widget->on_key_down(key, modifiers))
        return true;
    return on_key_down(key, modifiers);
}

bool P::dispatch_key_up(int key, int modifiers)
{
    if (g_focused_widget != nullptr && g_focused_widget != this &&
        g_focused_widget->on_key_up(key, modifiers))
        return true;
    return on_key_up(key, modifiers);
}

bool P::dispatch_aux_event(int code, int a, int b)
{
    return on_aux != nullptr && on_aux(code, a, b);
}

} // namespace lumo
