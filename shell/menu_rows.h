#pragma once

// Menu rows and panel fillers: each filler turns a label table into a strip
// or a column of rows with one look and with hint data for the hint bar.

#include <vector>

#include "lumo/scroll_pane.h"

struct Application;
struct LabelGroup;
struct MenuWidgets;

namespace lumo {
class KL;
class P;
} // namespace lumo

// Tool rows side by side in menu.strip, the strip in menu.pane, the pane in
// `parent`; hidden until its menu opens.
std::vector<lumo::P*> build_tool_rows(Application& app, MenuWidgets& menu, int icon,
                                      const LabelGroup& labels, lumo::KL& parent);
// Settings rows one under the other, likewise.
std::vector<lumo::P*> build_settings_rows(Application& app, MenuWidgets& menu, int icon,
                                          const LabelGroup& labels, lumo::KL& parent);

void fill_view_menus(Application& app);
void fill_settings_menus(Application& app);
void fill_colour_by_menu(Application& app);
void fill_field_sliders(Application& app);

// Scroll-pane looks: the theme's border styles, or plain grey borders.
void apply_theme_to_styles(Application& app, lumo::SP& pane);
void apply_widget_style_b(Application& app, lumo::SP& pane);
// All four borders one pixel of opaque grey.
void apply_grey_frame_style(lumo::P& widget);
