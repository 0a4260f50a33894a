#pragma once

// The state of the panes, row lists and menus that the interface shows,
// held by the Application: message panes, the inspector's and parameter
// panel's rows, the directive menus, the navigator's selection and the
// parse-check report. The panel services fill them; the interface draws them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/parse_report.h"

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

struct NavigatorSelection {
    std::string directory; // ends with "/"
    std::vector<std::string> entry_names;
    std::vector<std::int32_t> display_order; // list position -> entry index
    std::vector<std::uint8_t> selected;      // by entry index
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
};

struct ParseResultPane {
    std::string title; // "Script Parsing Result: " + verdict
    std::int32_t erroneous_count = 0;
    std::int32_t selected_row = 0;
    std::vector<ParseResultRow> rows;
    std::uint8_t visible = 0;
};
