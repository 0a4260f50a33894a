#pragma once

// The state of the panes, row lists and menus that the interface shows,
// held by the Application: message panes, the inspector's and parameter
// panel's rows, the directive menus, the file navigator, the configuration
// box and the parse-check report. The panel services fill them; the interface draws them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lumo/container.h"
#include "lumo/fill_style.h"
#include "model/parse_report.h"
#include "platform/directory_listing.h"

struct MessagePane {
    std::string title;
    std::string text;
    std::uint8_t visible = 0;
    std::int32_t title_icon = -1;
};

struct MessagePanes {
    MessagePane error;
    MessagePane warning;
    MessagePane info;
    MessagePane directive;
};

// Six buttons, the chosen one in the bold small font and selected.
struct OrderSelector {
    std::array<std::int32_t, 6> fonts{4, 3, 3, 3, 3, 3};
    std::array<std::uint8_t, 6> selected{1, 0, 0, 0, 0, 0};
};

// Transform fields in panel order: translation x, y, z; uniform scale;
// per-axis scale x, y, z; rotation x, y, z.
constexpr int TRANSFORM_FIELD_COUNT = 10;

struct PanelRows {
    std::vector<std::string> entity_rows;
    std::vector<std::string> parameter_rows;
    std::vector<std::string> value_fields;
    std::vector<double> slider_fractions;
    std::string entity_details;
    std::string parameter_details;
    std::array<std::string, TRANSFORM_FIELD_COUNT> transform_fields;
    OrderSelector rotation_order;
    OrderSelector transform_order{{3, 3, 4, 3, 3, 3}, {0, 0, 1, 0, 0, 0}};
};

// One "#VARIANT" line: its name, its name/value pairs and the entity whose
// script declared it, by id, since the list may move its entities.
struct ParametricVariant {
    std::string name;
    std::vector<std::string> pairs;
    std::uint32_t entity_id = 0;
};

// A directive row's place in the directive column, in pixels.
struct DirectiveRowRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct DirectiveMenus {
    std::vector<std::string> camera_rows;
    // Per camera row: eye x, y, z and look-at x, y, z as the script wrote them.
    std::vector<std::array<double, 6>> camera_points;
    std::vector<DirectiveRowRect> camera_row_rects; // by layout_directive_menu
    std::vector<ParametricVariant> variants;
};

// The in-app file navigator: what it is for, the directory it shows and
// that directory's entries, the selection, the order of the rows and the
// scroll fractions. The operations live in panels/file_navigator.
enum NavigatorMode : std::int32_t {
    NAVIGATOR_KERNEL = 0,
    NAVIGATOR_WORKSPACE = 1,
    NAVIGATOR_OPEN_SCRIPTS = 2,
    NAVIGATOR_EXPORT_LOCATION = 3,
};

enum NavigatorSortKey : std::int32_t {
    NAVIGATOR_SORT_TYPE = 0,
    NAVIGATOR_SORT_NAME = 1,
    NAVIGATOR_SORT_SIZE = 2,
    NAVIGATOR_SORT_DATE = 3,
};

// Entry types: a directory, an executable, a script, any other file, and
// an entry not classified.
constexpr char ENTRY_DIRECTORY = 'D';
constexpr char ENTRY_EXECUTABLE = 'X';
constexpr char ENTRY_SCRIPT = 'Q';
constexpr char ENTRY_OTHER = '-';

struct NavigatorEntry {
    char type = ' ';
    std::string name;      // a directory's ends with "/"
    std::string size_text; // "1,234 bytes"
    std::string date;      // "2024-02-25"
    std::string time;      // "14:30"
    std::string sort_name; // the name in lower case
    std::string owner;
    std::string group;
    std::string attributes; // "drw-rw-rw-", "-rwxrwxrwx"
    std::int64_t size = 0;
};

// Where listings come from, and which files count as executable; tests put
// canned producers here.
using DirectoryListingProducer = std::string (*)(const std::string& directory);
using ExecutableFileTest = bool (*)(const std::string& path);

struct FileNavigator {
    std::int32_t mode = NAVIGATOR_OPEN_SCRIPTS;
    std::string directory;                    // "/" separators, normally ending in "/"
    std::vector<std::string> path_components; // each ends with "/"
    std::vector<NavigatorEntry> entries;
    std::vector<std::uint8_t> selected; // by entry index
    std::int32_t selection_count = 0;
    std::vector<std::int32_t> display_order; // row -> entry index
    std::int32_t sort_key = NAVIGATOR_SORT_NAME;
    std::uint8_t sort_ascending = 1;
    double list_scroll = 0.0;
    double path_scroll = 1.0;
    std::int32_t list_height = 0;   // row height x entry count
    std::int32_t path_width = 0;    // width of the path buttons, less 1
    std::int32_t list_viewport = 0; // height of the list pane at its last layout

    // Texts of the pane's fixed widgets.
    std::string title;
    std::string hint;
    std::string ok_label;
    std::string location_text = "Location \t ?";
    std::string path_text = "\n";

    DirectoryListingProducer listing_producer = produce_directory_listing;
    ExecutableFileTest executable_test = is_executable_file;

    std::int32_t entry_count() const { return static_cast<std::int32_t>(entries.size()); }
};

// The rows and path buttons the navigator builds for each listing; the
// pane places `list` in its list area and `path_strip` in its path bar.
struct NavigatorRows {
    lumo::KL list;
    lumo::KL path_strip;
    std::vector<std::unique_ptr<lumo::P>> path_buttons;
    std::vector<std::unique_ptr<lumo::KL>> rows;
    // Per row: type, name, size, time and date cells.
    std::array<std::vector<std::unique_ptr<lumo::P>>, 5> cells;
    // Theme styles, set by the interface when it applies a theme.
    const FillStyle* row_fill = nullptr;
    const FillStyle* path_button_fill = nullptr;
    const FillStyle* path_button_hover = nullptr;
    const FillStyle* path_button_border = nullptr;
};

// The "Program Configuration" box: the two settings and their states.
struct ConfigurationPane {
    std::uint8_t visible = 0;
    std::string kernel_path = "???";
    std::string workspace_path = "???";
    std::string kernel_state = "UNDEFINED";
    std::string workspace_state = "UNDEFINED";
    std::string status = "!";
};

// Kinds of rows: a script that is not parallel, a parallel script, and one
// element of the parallel script above it.
constexpr char PARSE_ROW_SCRIPT = 'M';
constexpr char PARSE_ROW_PARALLEL = 'P';
constexpr char PARSE_ROW_ELEMENT = 'E';

// Text colour of a row whose report has errors (0xFFC02000).
constexpr std::uint32_t PARSE_ROW_ERROR_COLOUR = 0xFFC02000u;

struct ParseResultRow {
    char kind = PARSE_ROW_SCRIPT;
    std::string label;       // the script's file name; empty for an incomplete report
    std::string widget_text; // an element's label indented by "\t "
    std::int32_t font = 3;
    std::uint32_t text_colour = 0; // 0: the row's default colour
    bool erroneous = false;
    // Per section: its lines, then its header ("\t Errors: [2]").
    std::array<std::vector<std::string>, kParseSectionCount> sections;
    // The report view's x and y scroll fractions while another row is shown.
    std::array<double, 2> saved_scroll{};
};

struct ParseResultPane {
    std::string title; // "Script Parsing Result: " + verdict
    std::int32_t erroneous_count = 0;
    std::int32_t selected_row = 0;
    std::vector<ParseResultRow> rows;
    std::uint8_t visible = 0;
};
