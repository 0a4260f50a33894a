#pragma once

// The tree test's helper: whether the widgets of a pane can be reached by a
// person once the pane is open. A widget is reachable when it is in the tree
// under the root, it and every ancestor are visible, its rectangle is not
// empty, part of it lies inside its parent, every clipping ancestor and the
// window, and a press on the middle of that part lands on it.
//
// A pane table names the widgets a pane shows and says how a person opens
// it; every table gets checked at the window sizes below. Widgets that carry a
// callback are found in the toolkit's registry of live widgets, wherever they
// are held, so a callback installed on a widget that was never put in the
// tree is caught without any table naming it.
//
// A new pane: write a function that returns its PaneTable (its id, the pane
// widget, how a person opens it and its named widgets; `add_each` names the
// widgets of an array) and add it to the tables of widget_tree_test.cpp.
// A table may be asked twice: before the pane opens and once it is open, so
// that rows the opening builds can be named. A pane that scrolls gets one
// table per scroll position, checked together.

#include <cxxabi.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "app/frame/input_handlers.h"
#include "app/frame/interface_construction.h"
#include "lumo/container.h"
#include "lumo/layouts.h"
#include "lumo/root.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"
#include "lumo/view_layout.h"
#include "platform/input_codes.h"
#include "state/application.h"

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

// The widget's interface id, or empty when it has none.
inline std::string interface_id(const lumo::P& widget)
{
    if (g_app != nullptr)
        for (const auto& [name, named] : named_widgets(*g_app))
            if (named == &widget) return name;
    return {};
}

// The widget's label, or a row's: the labels of its cells.
inline std::string label_of(const lumo::P& widget)
{
    std::string label = widget.label;
    if (const auto* box = dynamic_cast<const lumo::KL*>(&widget); label.empty() && box)
        for (const lumo::P* child : box->children)
            if (!child->label.empty()) label += (label.empty() ? "" : " ") + child->label;
    return label;
}

// The widget's interface id when it has one, else its class, its number
// (counted from the application's root, so that a fresh application numbers
// its widgets alike whatever ran before), label, hint and the nearest
// ancestor with an interface id.
inline std::string describe(const lumo::P& widget)
{
    if (std::string id = interface_id(widget); !id.empty()) return id;
    std::ostringstream text;
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(widget).name(), nullptr, nullptr, &status);
    text << (status == 0 ? name : "widget") << " #"
         << widget.id - (g_app != nullptr ? g_app->root.id : 0);
    std::free(name);
    if (const std::string label = label_of(widget); !label.empty())
        text << " '" << label.substr(0, 32) << "'";
    if (widget.hint_title != nullptr) text << " (" << *widget.hint_title << ")";
    if (g_app != nullptr) {
        std::vector<lumo::HitStep> path = lumo::find_widget_path(&g_app->root, &widget);
        if (!path.empty()) path.pop_back();
        for (auto step = path.rbegin(); step != path.rend(); ++step)
            if (std::string id = interface_id(*step->widget); !id.empty())
                return text.str() + " in " + id;
    }
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

// The callbacks a person's press, drag, wheel or key can run, by name.
inline std::string callback_names(const lumo::P& widget)
{
    const auto* field = dynamic_cast<const lumo::F*>(&widget);
    const std::pair<bool, const char*> callbacks[] = {
        {widget.on_click != nullptr, "on_click"},
        {widget.on_press != nullptr, "on_press"},
        {widget.on_release != nullptr, "on_release"},
        {widget.on_drag_callback != nullptr, "on_drag_callback"},
        {widget.on_wheel_callback != nullptr, "on_wheel_callback"},
        {widget.on_key_down_callback != nullptr, "on_key_down_callback"},
        {widget.on_key_up_callback != nullptr, "on_key_up_callback"},
        {field != nullptr && field->on_enter != nullptr, "on_enter"},
        {field != nullptr && field->on_escape != nullptr, "on_escape"}};
    std::string names;
    for (const auto& [set, name] : callbacks)
        if (set) names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

inline bool has_callback(const lumo::P& widget)
{
    return !callback_names(widget).empty();
}

// Every live widget that carries a callback, wherever it is held, in the
// order they were made.
inline std::vector<lumo::P*> callback_widgets()
{
    std::vector<lumo::P*> widgets;
    for (lumo::P* widget : lumo::live_widgets())
        if (has_callback(*widget)) widgets.push_back(widget);
    std::sort(widgets.begin(), widgets.end(),
              [](const lumo::P* a, const lumo::P* b) { return a->id < b->id; });
    return widgets;
}

// (b) Widgets with a callback that a person can never meet: not in the tree.
inline std::vector<lumo::P*> stray_callback_widgets(Application& app)
{
    std::vector<lumo::P*> strays;
    for (lumo::P* widget : callback_widgets())
        if (lumo::find_widget_path(&app.root, widget).empty()) strays.push_back(widget);
    return strays;
}

inline std::string stray_message(const lumo::P& widget)
{
    return describe(widget) + " has a callback (" + callback_names(widget) +
           ") but is not in the tree";
}

inline std::vector<std::string> callback_widgets_outside_tree(Application& app)
{
    std::vector<std::string> missing;
    for (const lumo::P* widget : stray_callback_widgets(app))
        missing.push_back(stray_message(*widget));
    return missing;
}

inline bool under(Application& app, const lumo::P* widget, const lumo::P* pane)
{
    for (const lumo::HitStep& step : lumo::find_widget_path(&app.root, widget))
        if (step.widget == pane) return true;
    return false;
}

// Where a widget sits in the tree, as the child index at each step down
// from the root: the same widget in each fresh application of one pane.
inline std::string place_in_tree(Application& app, const lumo::P* widget)
{
    std::string place;
    const std::vector<lumo::HitStep> path = lumo::find_widget_path(&app.root, widget);
    for (std::size_t i = 1; i < path.size(); ++i) {
        const auto& siblings = dynamic_cast<const lumo::KL&>(*path[i - 1].widget).children;
        const auto at = std::find(siblings.begin(), siblings.end(), path[i].widget);
        place += "/" + std::to_string(at - siblings.begin());
    }
    return place;
}

// Turns the wheel over the middle of `pane` until `widget` lies wholly in
// view, as a person scrolls to it; gives up after 64 notches.
inline void scroll_to(Application& app, lumo::P& pane, const lumo::P& widget)
{
    for (int notch = 0; notch < 64; ++notch) {
        lay_out(app, app.root.width, app.root.height);
        const std::vector<lumo::HitStep> to_pane = lumo::find_widget_path(&app.root, &pane);
        const std::vector<lumo::HitStep> to_widget = lumo::find_widget_path(&app.root, &widget);
        if (to_pane.empty() || to_widget.empty()) return;
        const Area view = area_of(to_pane.back());
        const Area at = area_of(to_widget.back());
        const int steps = at.x0 < view.x0 || at.y0 < view.y0   ? -1
                          : at.x1 > view.x1 || at.y1 > view.y1 ? 1
                                                               : 0;
        if (steps == 0) return;
        handle_platform_mouse_button(nullptr, steps > 0 ? MOUSE_WHEEL_DOWN : MOUSE_WHEEL_UP,
                                     BUTTON_PRESSED, (view.x0 + view.x1) / 2,
                                     (view.y0 + view.y1) / 2);
    }
}

// What one table's state shows: its named widgets that cannot be reached,
// and, by their place in the tree, the widgets with a callback under its
// pane, which of them can be reached in that state and why the others not.
struct Outcome {
    std::vector<std::string> missing;
    std::map<std::string, std::string> unreached;
    std::set<std::string> reached;
};

inline Outcome check(PaneTableOf table_of, int width, int height)
{
    Application& app = fresh_application();
    lay_out(app, width, height);
    // Strays of the fresh application are its own test's; those the opening
    // makes are this pane's.
    const std::vector<lumo::P*> strays_before = stray_callback_widgets(app);
    table_of(app).open(app);
    // Asked again once the pane is open, for the rows that opening built.
    const PaneTable table = table_of(app);
    app.root.refresh();
    lay_out(app, width, height);
    Outcome outcome;
    const std::string where =
        table.pane + " at " + std::to_string(width) + " x " + std::to_string(height) + ": ";
    for (const NamedWidget& entry : table.widgets) {
        const std::string why = why_unreachable(app, entry.widget);
        if (!why.empty()) outcome.missing.push_back(where + entry.name + " " + why);
    }
    for (const lumo::P* stray : stray_callback_widgets(app))
        if (std::find(strays_before.begin(), strays_before.end(), stray) == strays_before.end())
            outcome.missing.push_back(where + stray_message(*stray));
    for (lumo::P* widget : callback_widgets()) {
        if (!under(app, widget, table.pane_widget)) continue;
        const std::string place = place_in_tree(app, widget);
        const std::string why = why_unreachable(app, widget);
        if (why.empty())
            outcome.reached.insert(place);
        else
            outcome.unreached[place] = where + describe(*widget) + " " + why;
    }
    destroy_application();
    return outcome;
}

// (a) and (b) for the tables of one pane, each opened in a fresh application
// at every window size: each table's named widgets must be reachable in its
// state, and each widget with a callback inside the pane in at least one of
// the states (a scrolled pane shows its widgets in turn). Each line names
// the widget and says why it is not.
inline std::vector<std::string> missing_in_pane(const std::vector<PaneTableOf>& tables)
{
    std::vector<std::string> missing;
    for (const auto& [width, height] : kWindowSizes) {
        std::map<std::string, std::string> unreached;
        std::set<std::string> reached;
        for (PaneTableOf table : tables) {
            Outcome outcome = check(table, width, height);
            missing.insert(missing.end(), outcome.missing.begin(), outcome.missing.end());
            unreached.merge(outcome.unreached);
            reached.merge(outcome.reached);
        }
        for (const auto& [place, why] : unreached)
            if (reached.count(place) == 0)
                missing.push_back(
                    why + (tables.size() > 1 ? "; no other scroll position reaches it" : ""));
    }
    return missing;
}

} // namespace widget_tree
