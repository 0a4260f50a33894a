#pragma once

// Groups of widget members of the Application, built empty at construction
// and configured by the interface construction.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lumo/layouts.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"
#include "state/menu_state.h"
#include "model/parse_report.h"

// Colour-function ids shown by the fifteen colour-bar toggles.
constexpr int COLOUR_FUNCTION_COUNT = 15;
constexpr int FIRST_COLOUR_FUNCTION = 3;

// Row counts of the menus; the largest sizes the fixed row arrays.
constexpr int MAX_MENU_ROWS = 12;
constexpr std::array<int, TOOL_MENU_COUNT> TOOL_MENU_ROW_COUNTS{5, 5, 9, 3, 2, 3, 4, 6};
constexpr std::array<int, SETTINGS_MENU_COUNT> SETTINGS_MENU_ROW_COUNTS{7, 5, 7, 1,  3,
                                                                        1, 5, 1, 12, 6};

// One drop-down: the pane that opens, the strip holding its rows, the rows
// and the list of the rows in use (label order).
struct MenuWidgets {
    lumo::KL pane;
    lumo::KL strip;
    std::array<lumo::P, MAX_MENU_ROWS> rows;
    std::int32_t row_count = 0;
    std::vector<lumo::P*> row_list;
    std::int32_t strip_width = 0; // read by the drop-down scroll
};

// Pick modes shown by the seven inspector radio rows, in row order.
constexpr std::array<char, 7> PICK_MODES{'!', 'T', 'P', 'G', 'O', 'E', 'U'};

struct ConfirmPaneWidgets {
    lumo::KL pane; // full-window, holding the box
    lumo::KL box;
    std::array<lumo::P, 2> answer_buttons; // Cancel, OK
    lumo::T title;
    lumo::T text;
    lumo::P icon;
    lumo::KL option_row;
    lumo::T option_label;
    std::array<lumo::P, 3> option_buttons;
};

struct EnvironmentTabWidgets {
    lumo::KL strip;
    std::vector<std::unique_ptr<lumo::P>> tabs; // rebuilt with the environments
    lumo::P hover_marker;
};

struct HintBarWidgets {
    lumo::KL bar;
    std::array<lumo::T, 2> texts;
    lumo::P icon;
    const lumo::P* last_tooltip = nullptr; // the widget whose hint is shown
};

struct SliderRow {
    lumo::P icon;
    lumo::F field;
    lumo::SB slider;
};

// TOOLBAR: the six command buttons and TOOLSCROLL with the tool-menu buttons.
enum ToolBarButton : int {
    TOOL_BUTTON_OPEN = 0,
    TOOL_BUTTON_PARSE,
    TOOL_BUTTON_ASSEMBLE,
    TOOL_BUTTON_CAPTURE,
    TOOL_BUTTON_EXPORT,
    TOOL_BUTTON_SETTINGS,
    TOOL_BUTTON_COUNT,
};

struct ToolBarWidgets {
    lumo::KL bar;
    std::array<lumo::P, TOOL_BUTTON_COUNT> buttons;
    lumo::KL scroll; // TOOLSCROLL
    std::array<lumo::P, TOOL_MENU_COUNT> menu_buttons;
    lumo::P open_menu_marker;
};

// TIPBAR: TIPSCROLL (the open tool drop-down, or else the script list) and
// the side-panel tabs with the marker under the open panel's tab.
struct TipBarWidgets {
    lumo::KL bar;
    lumo::KL scroll; // TIPSCROLL
    lumo::P tab_marker;
};

// The menu tree that a click on the script list opens beneath it.
enum MenuTreeRow : int {
    MENU_TREE_CONSOLE = 0,
    MENU_TREE_ENTITIES,
    MENU_TREE_PARAMETERS,
    MENU_TREE_CLOSE_PANEL,
    MENU_TREE_SNAPSHOT,
    MENU_TREE_SCREENSHOT,
    MENU_TREE_HOVER_HINTS,
    MENU_TREE_QUICK_HIDE,
    MENU_TREE_ROW_COUNT,
};
struct MenuTreeWidgets {
    lumo::KL pane;
    std::array<lumo::P, MENU_TREE_ROW_COUNT> rows;
};

// MENUBAR: MENUSCROLL with the ten settings buttons and their markers.
struct MenuBarWidgets {
    lumo::KL scroll; // MENUSCROLL
    std::array<lumo::P, SETTINGS_MENU_COUNT> markers;
    lumo::KL drop_column; // holds the open settings drop-down inside MENUNPANE
};

// The environment hover card's height: its image above its close box.
constexpr int HOVER_CARD_HEIGHT = 96;

// TABBAR: new-environment button, TABSCROLL with the environment tabs,
// ABOUT and HELP.
struct TabBarWidgets {
    lumo::KL bar;
    lumo::P environment_button;
    lumo::KL scroll; // TABSCROLL
    lumo::P about_button;
    lumo::P help_button;
    lumo::KL hover_card; // above the tab bar, over the hovered tab
    lumo::P hover_card_label;
    lumo::P hover_card_close;
};

// STATUSBAR: STATSCROLL with the status line.
struct StatusBarWidgets {
    lumo::KL bar;
    lumo::KL scroll; // STATSCROLL
};

// SLIDERBAR: SLIDERSCROLL with the four slider cells.
struct SliderBarWidgets {
    lumo::KL scroll; // SLIDERSCROLL
    lumo::KL content;
    std::array<lumo::KL, 4> cells;
};

// COLOURBAR: COLOURSCROLL with the colour-by button, its hue swatches and
// the drop-down strip of the colour-function rows.
struct ColourBarWidgets {
    lumo::KL bar;
    lumo::KL scroll; // COLOURSCROLL
    lumo::KL drop_down;
    lumo::KL strip;
    lumo::KL button;
    lumo::KL swatch_container;
    std::array<lumo::P, 10> swatches;
    std::vector<lumo::P*> row_list;
    std::int32_t content_width = 0;
};

// A modal pane with a title, a text, an icon and a close box.
struct DialogWidgets {
    lumo::KL pane;
    lumo::T title;
    lumo::T text;
    lumo::P icon;
    lumo::P close_box;
};

// A strip of the status bar (parallel flags, low-level inspector): the panel
// and its scrolled content; the toggles are members of their own.
struct StripWidgets {
    lumo::KL panel;
    lumo::KL content;
};

// The camera-directive list at the right edge. Its foot holds three rows of
// buttons, each a half bar unit high: sync, previous, next and goto; then
// auto-sync and root mode; then animate and grid or list. Four-letter labels
// need more than a quarter of the column, so the option buttons go two to a
// row. The goto fields add two rows below when the column widens.
constexpr int DIRECTIVE_FOOT_ROWS = 3;

enum DirectiveButton : int {
    DIRECTIVE_BUTTON_SYNC = 0,
    DIRECTIVE_BUTTON_PREVIOUS,
    DIRECTIVE_BUTTON_NEXT,
    DIRECTIVE_BUTTON_GOTO,
};

struct DirectiveColumnWidgets {
    lumo::BL column;
    lumo::KL list_area;
    lumo::KL list;
    lumo::KL south;
    lumo::P grip;
    lumo::P marker;
    std::array<lumo::P, 4> buttons; // by DirectiveButton
    std::array<lumo::F, 2> goto_fields;
};

struct VariantsPanelWidgets {
    lumo::KL panel;
    lumo::P header;
    lumo::KL list;
    lumo::P footer;
};

// The start-up pane: logo and "assembling..." label.
struct StartupWidgets {
    lumo::P label;
};

// The resize notice shown while the window is below its minimum size.
struct ResizeNoticeWidgets {
    lumo::KL notice;
    lumo::P icon_box;
    lumo::T text;
};

struct RunOverlayWidgets {
    lumo::KL overlay;
    lumo::KL box;
    lumo::T text;
};

// "Program Configuration": kernel and workspace fields, states and buttons.
struct ConfigurationWidgets {
    lumo::KL pane;
    lumo::KL box;
    lumo::T title;
    lumo::F kernel_field;
    lumo::F workspace_field;
    lumo::T kernel_state;
    lumo::T workspace_state;
    lumo::P status_button;
    lumo::P kernel_button;
    lumo::P workspace_button;
};

enum NavigatorHeaderButton : int {
    NAV_SORT_TYPE = 0,
    NAV_SORT_NAME,
    NAV_SORT_SIZE,
    NAV_SORT_DATE,
    NAV_HOME,
    NAV_REFRESH,
    NAV_SELECT_ALL,
    NAV_CLOSE,
    NAV_HEADER_BUTTON_COUNT,
};

// FILEPANE: the in-program file navigator.
struct NavigatorPaneWidgets {
    lumo::KL pane;
    lumo::KL header;
    std::array<lumo::P, NAV_HEADER_BUTTON_COUNT> header_buttons;
    lumo::P sort_marker;
    lumo::KL path_bar;
    lumo::KL list_area;
    lumo::P scroll_track;
    lumo::P scroll_thumb;
    lumo::P select_none_button;
    // Shades behind the date and time cells of the rows.
    std::array<lumo::P, 2> column_areas;
    lumo::T location_label;
    lumo::T path_label;
    lumo::T title;
    lumo::T hint;
    lumo::P ok_button;
};

// The console trace panel: under the channel tabs, the scroll pane of the
// selected channel's view above the scroll pane of the main log's view (the
// two views are the Application's `text_views`).
struct ConsoleWidgets {
    lumo::SP channel_scroll;
    lumo::SP log_scroll;
};

// EXPORTPANE: estimate, export button, name and location fields (members
// of the Application), the four format rows, each with its description over
// it and its marker in the second column, and the six option buttons (the
// Application's name-part toggles).
struct ExportPaneWidgets {
    DialogWidgets dialog;
    lumo::T estimate_label;
    lumo::P export_button;
    std::array<lumo::P, 4> format_toggles;
    std::array<lumo::T, 4> format_descriptions;
    std::array<lumo::P, 4> format_markers;
    lumo::P location_button;
};

// PROFILEPANE: the report text and the row list with its toggle.
struct ProfilePaneWidgets {
    DialogWidgets dialog;
    lumo::SP report_scroll;
    lumo::T report_text;
    lumo::SP row_scroll;
    lumo::KL row_list;
    lumo::P row_toggle;
    std::array<lumo::P, 3> buttons; // show, copy, write
};

// RUNPANE: the execution-mode choice with its feature rows and grid in a
// body that the wheel scrolls when the pane is lower than its content; the
// PROFILER and CULLING toggles (Application members) sit in its title row.
struct RunPaneWidgets {
    DialogWidgets dialog;
    lumo::KL body;
    lumo::T mode_title;
    std::array<lumo::T, 6> feature_rows;
    std::array<lumo::P, 12> mode_cells; // four rows of three columns
    lumo::P assemble_button;
};

// The two capture panes and their preview; Enter saves the image.
struct CapturePaneWidgets {
    DialogWidgets dialog;
    lumo::P preview;
};

// PARSEPANE's contents: the row list (one row per parsed script or element,
// rebuilt by every parse-check), the shown row's title, and the report view
// whose content holds a heading and a body label per section over a
// companion backdrop of the same size.
struct ParseReportWidgets {
    lumo::SP row_scroll;
    lumo::KL row_list;
    std::vector<std::unique_ptr<lumo::P>> rows;
    lumo::T title;
    lumo::SP report_scroll;
    lumo::KL content;
    lumo::P companion;
    std::array<lumo::T, kParseSectionCount> headings;
    std::array<lumo::T, kParseSectionCount> bodies;
    lumo::ClickFn row_click = nullptr; // installed by the wiring, taken by each row
};
