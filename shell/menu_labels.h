#pragma once

// Label tables of the menus and of the other labelled controls: per menu the
// short labels shown on the rows and, in the same order, the long label and
// the tool-tip the hint bar shows.

#include <array>
#include <string>
#include <vector>

#include "state/menu_state.h"

struct LabelPair {
    std::string label;
    std::string tooltip;
};

struct LabelGroup {
    std::vector<std::string> short_labels;
    std::vector<LabelPair> pairs;
    int row_count() const { return static_cast<int>(short_labels.size()); }
};

// Which features (rows) each execution mode has: 3 modes x 6 feature flags.
using MeshFeatureMatrix = std::array<std::array<unsigned char, 6>, 3>;
extern const MeshFeatureMatrix g_mesh_feature_matrix;
extern const std::array<std::string, 6> g_mesh_feature_labels;
// The run pane's grid of mode cells: per execution mode the hint of its
// column, then its three texts (name, kind, key), the fourth cell being the
// column's selection band.
struct ExecutionModeTexts {
    LabelPair hint;
    std::array<std::string, 3> cells;
};
extern const std::array<ExecutionModeTexts, 3> g_execution_mode_texts;
// The export pane: per format row its tag and description (OBJ, OFF, PLY,
// STL), per option button its tag and caption and the hint it gives
// (normals, colours, binary, polygons, triangles, time stamp).
struct TaggedLabel {
    std::string tag;
    std::string text;
};
extern const std::array<TaggedLabel, 4> g_export_format_labels;
extern const std::array<TaggedLabel, 6> g_export_option_labels;
extern const std::array<LabelPair, 6> g_export_option_hints;
// The side panel's close entry: hint title and text.
extern const std::array<std::string, 2> g_side_panel_close_hint;
// The script list's hint text (its title is the script list itself): a
// click opens the menu tree.
extern const std::string g_menu_tree_hint;

// Entries of g_menu_table_refs.
enum MenuTableRef : int {
    MENU_TABLE_TOOL_TITLES = 0,
    MENU_TABLE_SETTINGS_TITLES = 1,
    MENU_TABLE_FIRST_TOOL_MENU = 2,      // 2..9
    MENU_TABLE_FIRST_SETTINGS_MENU = 10, // 10..19
    MENU_TABLE_COLOUR_BY = 20,
    MENU_TABLE_FIELD_SLIDERS = 21,
    MENU_TABLE_INSPECTOR = 22,
    MENU_TABLE_PARALLEL_FLAGS = 23,
    MENU_TABLE_CAMERA_DIRECTIVES = 24,
    MENU_TABLE_COLOUR_SPACE = 25,
    MENU_TABLE_CONSOLE_CHANNELS = 26,
    MENU_TABLE_SIDE_PANEL = 27,
    MENU_TABLE_EXECUTE_MODES = 28,
    MENU_TABLE_TOOL_BUTTONS = 29,
    MENU_TABLE_TAB_BAR = 30,
    MENU_TABLE_MESH_FEATURES = 31,
    MENU_TABLE_COUNT = 32,
};

// Entry 31 holds the feature matrix, every other entry a label group.
struct MenuTableEntry {
    const LabelGroup* group = nullptr;
    const MeshFeatureMatrix* matrix = nullptr;
};
extern const std::array<MenuTableEntry, MENU_TABLE_COUNT> g_menu_table_refs;

const LabelGroup& tool_menu_labels(int menu);
// The menu tree's rows.
const LabelGroup& menu_tree_labels();
const LabelGroup& settings_menu_labels(int menu);
const LabelGroup& label_group(MenuTableRef ref);
