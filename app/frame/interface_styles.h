#pragma once

// The small styling steps the area builders share: the active theme's fill
// styles by slot, fills, borders, text widgets, and buttons labelled from a
// label group.

#include <initializer_list>
#include <string>

struct Application;
struct FillStyle;
struct LabelGroup;

namespace lumo {
class KL;
class P;
struct Border;
} // namespace lumo

// The active theme's fill style in `slot`. A theme change rewrites the
// styles in place, so widgets that keep the pointer follow it.
const FillStyle* active_style(int slot);
void fill_with(lumo::P& widget, int slot);
void set_border(lumo::Border& b, int width, int slot);
// A text widget in `font` and the theme's text colour, showing `label`.
void style_text(Application& app, lumo::P& text, const std::string& label, int font);
void add_children(lumo::KL& parent, std::initializer_list<lumo::P*> children);
// A button showing `label` in the bars' small bold face, highlighted when
// hovered or selected.
void style_plain_button(Application& app, lumo::P& button, const std::string& label);
// A plain button labelled from row `i` of a label group, with its hint.
void style_button(Application& app, lumo::P& button, const LabelGroup& labels, int i);
