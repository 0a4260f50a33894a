#pragma once

// The tree test's helper: whether the widgets of a pane can be reached by a
// person once the pane is open. A widget is reachable when it is in the tree
// under the root, it and every ancestor are visible, its rectangle is not
// empty, part of it lies inside its parent, every clipping ancestor and the
// window, and a press on the middle of that part lands on it.
//
// A pane table names the widgets a pane shows and says how a person opens
// it; every table gets checked at the window sizes below. Widgets that carry a
// callback are found in the Application object itself (see
// `application_widgets`), so a callback installed on a widget that was never
// put in the tree is caught without any table naming it.
//
// A new pane: write a function that returns its PaneTable (its id, the pane
// widget, how a person opens it and its named widgets; `add_each` names the
// widgets of an array) and add it to the tables of widget_tree_test.cpp.
// A table may be asked twice: before the pane opens and once it is open, so
// that rows the opening builds can be named.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/frame/input_handlers.h"
#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "lumo/container.h"
#include "lumo/layouts.h"
#include "lumo/root.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"
#include "lumo/view_layout.h"

namespace widget_tree {

struct NamedWidget {
    std::string name;
    const lumo::P* widget = nullptr;
};

struct PaneTable {
    std::string pane;                         // its interface id, "RUNPANE"
    lumo::P* pane_widget = nullptr;           // the pane itself
    void (*open)(Application& app) = nullptr; // as a person opens it
    std::vector<NamedWidget> widgets;
};

// A table names widgets of one application; each check builds its own.
using PaneTableOf = PaneTable (*)(Application& app);

// Names every widget of an array or vector of widgets as "name[i]".
template <typename Widgets>
void add_each(std::vector<NamedWidget>& table, const std::string& name, Widgets& widgets)
{
    for (std::size_t i = 0; i < widgets.size(); ++i)
        table.push_back({name + "[" + std::to_string(i) + "]", &widgets[i]});
}

// The window sizes every table is checked at: the start-up size and a larger one.
constexpr std::array<std::pair<int, int>, 2> kWindowSizes{{{720, 480}, {1200, 800}}};

// A fresh application with its interface built and its start-up over, as a
// person finds it after the splash.
inline Application& fresh_application()
{
    if (g_app != nullptr) destroy_application();
    Application& app = create_application();
    build_application_ui(app);
    install_application_handlers(app);
    app.startup_pane.visible = false;
    if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
    app.startup_finished = 1;
    return app;
}

// Sizes the window as the resize slot does and lays the tree out.
inline void lay_out(Application& app, int width, int height)
{
    app.root.dispatch_aux_event(lumo::kAuxResize, width, height);
    app.root.layout();
}

// The widget's interface id when it has one, else its number, label, hint
// and place inside the Application.
inline std::string describe(const lumo::P& widget)
{
    std::ostringstream text;
    if (g_app != nullptr) {
        for (const auto& [name, named] : named_widgets(*g_app))
            if (named == &widget) return name;
    }
    text << "widget #" << widget.id;
    if (!widget.label.empty()) text << " '" << widget.label.substr(0, 24) << "'";
    if (widget.hint_title != nullptr) text << " (" << *widget.hint_title << ")";
    const auto* at = reinterpret_cast<const unsigned char*>(&widget);
    const auto* base = reinterpret_cast<const unsigned char*>(g_app);
    if (g_app != nullptr && at >= base && at < base + sizeof(Application))
        text << " at Application+" << (at - base);
    return text.str();
}

struct Area {
    int x0, y0, x1, y1;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
    Area cut(const Area& other) const
    {
        return {std::max(x0, other.x0), std::max(y0, other.y0), std::min(x1, other.x1),
                std::min(y1, other.y1)};
    }
};

inline Area area_of(const lumo::HitStep& step)
{
    return {step.origin_x, step.origin_y, step.origin_x + step.widget->width,
            step.origin_y + step.widget->height};
}

// Why a person cannot reach `target` in the tree as it is laid out now;
// empty when they can.
inline std::string why_unreachable(Application& app, const lumo::P* target)
{
    const std::vector<lumo::HitStep> path = lumo::find_widget_path(&app.root, target);
    if (path.empty()) return "not in the tree";
    for (const lumo::HitStep& step : path)
        if (!step.widget->visible)
            return step.widget == target ? "hidden" : "hidden under " + describe(*step.widget);
    if (target->width <= 0 || target->height <= 0)
        return "empty rectangle " + std::to_string(target->width) + " x " +
               std::to_string(target->height);
    Area area = area_of(path.back()).cut({0, 0, app.root.width, app.root.height});
    if (area.empty()) return "outside the window";
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const auto* box = dynamic_cast<const lumo::KL*>(path[i].widget);
        const bool parent = i + 2 == path.size();
        if (!parent && (box == nullptr || !box->clip_children)) continue;
        area = area.cut(area_of(path[i]));
        if (area.empty())
            return parent ? "outside its parent" : "clipped by " + describe(*path[i].widget);
    }
    // A disabled widget shows but takes no press; nothing more to try.
    if (!target->enabled) return "";
    std::vector<lumo::HitStep> hit;
    const int cx = (area.x0 + area.x1 - 1) / 2;
    const int cy = (area.y0 + area.y1 - 1) / 2;
    app.root.hit_test(cx, cy, 0, 0, hit);
    for (const lumo::HitStep& step : hit)
        if (step.widget == target) return "";
    return hit.empty() ? "missed by a press" : "covered by " + describe(*hit.back().widget);
}

// Any callback a person's press, drag, wheel or key can run.
inline bool has_callback(const lumo::P& widget)
{
    if (widget.on_click || widget.on_press || widget.on_release || widget.on_drag_callback ||
        widget.on_wheel_callback || widget.on_key_down_callback || widget.on_key_up_callback)
        return true;
    const auto* field = dynamic_cast<const lumo::F*>(&widget);
    return field != nullptr && (field->on_enter || field->on_escape);
}

namespace detail {

template <typename Widget> const void* vtable_of()
{
    static const Widget sample;
    const void* vptr = nullptr;
    std::memcpy(&vptr, reinterpret_cast<const unsigned char*>(&sample), sizeof vptr);
    return vptr;
}

inline const std::set<const void*>& widget_vtables()
{
    static const std::set<const void*> tables{
        vtable_of<lumo::P>(),  vtable_of<lumo::T>(),  vtable_of<lumo::F>(),
        vtable_of<lumo::KL>(), vtable_of<lumo::SP>(), vtable_of<lumo::SB>(),
        vtable_of<lumo::RL>(), vtable_of<lumo::BL>(), vtable_of<lumo::SL>(),
        vtable_of<lumo::VL>(), vtable_of<lumo::UI>()};
    return tables;
}

} // namespace detail

// Every widget the Application holds as a member (directly, in arrays or in
// member structures): the Application owns its widgets by value, so they lie
// inside its own storage, each starting with the virtual table of one of the
// toolkit's classes. Rows rebuilt at run time live on the heap and are left
// to the tables of their panes.
inline std::vector<lumo::P*> application_widgets(Application& app)
{
    const std::set<const void*>& tables = detail::widget_vtables();
    auto* base = reinterpret_cast<unsigned char*>(&app);
    std::vector<lumo::P*> widgets;
    for (std::size_t at = 0; at + sizeof(lumo::P) <= sizeof(Application);
         at += alignof(lumo::P)) {
        const void* word = nullptr;
        std::memcpy(&word, base + at, sizeof word);
        if (tables.count(word) != 0) widgets.push_back(reinterpret_cast<lumo::P*>(base + at));
    }
    return widgets;
}

// (b) Widgets with a callback that a person can never meet: not in the tree.
inline std::vector<std::string> callback_widgets_outside_tree(Application& app)
{
    std::vector<std::string> missing;
    for (lumo::P* widget : application_widgets(app))
        if (has_callback(*widget) && lumo::find_widget_path(&app.root, widget).empty())
            missing.push_back(describe(*widget) + ": has a callback but is not in the tree");
    return missing;
}

inline bool under(Application& app, const lumo::P* widget, const lumo::P* pane)
{
    for (const lumo::HitStep& step : lumo::find_widget_path(&app.root, widget))
        if (step.widget == pane) return true;
    return false;
}

// (a) and (b) for one pane, opened in a fresh application at one size: every
// named widget and every widget with a callback inside the pane must be
// reachable. Each line names the widget and says why it is not.
inline std::vector<std::string> missing_in_pane(PaneTableOf table_of, int width, int height)
{
    Application& app = fresh_application();
    lay_out(app, width, height);
    table_of(app).open(app);
    // Asked again once the pane is open, for the rows that opening built.
    const PaneTable table = table_of(app);
    app.root.refresh();
    lay_out(app, width, height);
    const std::string where =
        table.pane + " at " + std::to_string(width) + " x " + std::to_string(height) + ": ";
    std::vector<std::string> missing;
    std::set<const lumo::P*> named;
    for (const NamedWidget& entry : table.widgets) {
        named.insert(entry.widget);
        const std::string why = why_unreachable(app, entry.widget);
        if (!why.empty()) missing.push_back(where + entry.name + " " + why);
    }
    for (lumo::P* widget : application_widgets(app)) {
        if (named.count(widget) || !has_callback(*widget) ||
            !under(app, widget, table.pane_widget))
            continue;
        const std::string why = why_unreachable(app, widget);
        if (!why.empty()) missing.push_back(where + describe(*widget) + " " + why);
    }
    destroy_application();
    return missing;
}

} // namespace widget_tree
