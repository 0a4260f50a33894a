#pragma once

// Layouts of the bars and panes: each places its pane's children from the
// pane's own width and height, the layout metrics, the flags and the scroll
// fractions. The root layout only places the panes.

struct Application;

// The snapshot pane is narrower than the other dialogs.
inline constexpr int CAPTURE_PANE_SIZE = 256;

void lay_out_toolbar(Application& app, int width, int height);
void lay_out_tipbar(Application& app, int width, int height);
void lay_out_control_pane(Application& app, int width, int height);
void lay_out_menubar(Application& app, int width, int height);
void lay_out_statusbar(Application& app, int width, int height);
void lay_out_tabbar(Application& app, int width, int height);
void lay_out_sliderbar(Application& app, int width, int height);
void lay_out_tool_scroll(Application& app, int width, int height);
void lay_out_tip_scroll(Application& app, int width, int height);
void lay_out_settings_drop_column(Application& app, int width, int height);
void lay_out_menu_scroll(Application& app, int width, int height);
void lay_out_overlay(Application& app, int width, int height);
void lay_out_open_pane(Application& app, int width, int height);
void lay_out_load_pane(Application& app, int width, int height);
// The snapshot and screenshot panes: title, the captured image fitted
// inside the pane, and the line that says what Enter does.
void lay_out_capture_preview(Application& app, int width, int height);
void lay_out_screenshot_preview(Application& app, int width, int height);
void lay_out_entity_detail_header(Application& app, int width, int height);
void lay_out_colourbar(Application& app, int width, int height);
void lay_out_directive_list(Application& app, int width, int height);
void lay_out_file_pane(Application& app, int width, int height);
// The navigator list: `entry_count` rows of five cells under the scroll rule.
void lay_out_navigator_list(Application& app, int width, int height);
