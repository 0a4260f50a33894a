#pragma once

// The look of the list rows, the detail widgets and the environment tabs:
// which of the twelve active fill styles each part takes, its icons and its
// fixed colours.

#include <array>
#include <cstdint>
#include <string>

#include "lumo/assets/icons.h"

// Slots of the active fill styles.
constexpr int STYLE_LIST_BACKGROUND = 0;
constexpr int STYLE_TAB = 3;
constexpr int STYLE_SEPARATOR = 7;
constexpr int STYLE_ROW_HIGHLIGHT = 9; // row hover and selection, the selected tab
constexpr int STYLE_TAB_HOVER = 12;
constexpr int ACTIVE_FILL_STYLE_COUNT = 13;

// Entity rows: 50 high, one pixel apart; the four action icons fill the
// last 48 pixels of the row.
constexpr std::int32_t LIST_ROW_HEIGHT = 50;
constexpr std::int32_t LIST_ROW_PITCH = 51;
constexpr std::int32_t ROW_ICON_SIZE = 24;
constexpr std::int32_t ROW_MARKER_SIZE = 32;
constexpr double ROW_LABEL_DEPTH = 0.005;

// Opacity of a set flag and of a clear one. A clear flag stays plainly
// fainter, yet readable (contrast 2 and more) on every theme's panel and
// highlight; at a quarter it fades below that even in black on Light.
constexpr double FLAG_SET_OPACITY = 1.0;
constexpr double FLAG_CLEAR_OPACITY = 0.4;
// Controls that have nothing to act on (no selected entity, no profiling
// data) stand half-transparent over the panel.
constexpr double DIMMED_OPACITY = 0.5;

// Entity inspector action icons in row order: focus, material, refresh, delete.
constexpr std::array<int, 4> ENTITY_ROW_ICONS{lumo::kIconFocus, lumo::kIconMaterial,
                                              lumo::kIconRefresh, lumo::kIconDelete};

// Parameter rows.
constexpr std::uint32_t SLIDER_TICK_COLOUR = 0xFF808080u;
constexpr double SLIDER_DEPTH = 0.05;
constexpr double SLIDER_KNOB_DEPTH = 0.1;
constexpr double SLIDER_END_DEPTH = 0.075;
constexpr double SLIDER_TICK_DEPTH = 0.0875;

// The execute mode of the selected entity, by mode index.
inline const std::array<std::string, 3> EXECUTE_MODE_LABELS{"\t Pure-Union", "\t Basic-CSG",
                                                            "\t Optimal-CSG"};

// The entity inspector reads "(none-selected)", the parameter panel
// "(none-seleted)" and the freshly built header "(none selected)"; each
// place keeps its own spelling.
inline const std::string HEADER_START = ": (none selected)";
inline const std::string ENTITY_HEADER_NONE = ": (none-selected)";
inline const std::string PARAMETER_HEADER_NONE = ": (none-seleted)";
inline const std::string EXECUTE_MODE_NONE = "?";

// Frame-rate read-out colours: the widget's shape colour, then the text
// colour at >= 120, >= 60, >= 10, >= 0 frames per second and below 0.
struct FpsColours {
    std::uint32_t shape;
    std::array<std::uint32_t, 5> text;
};
constexpr FpsColours FPS_COLOURS_DARK{
    0x40000000u, {0xFF2080FFu, 0xFF40C020u, 0xFFF0C000u, 0xFFE02000u, 0xFF808080u}};
constexpr FpsColours FPS_COLOURS_LIGHT{
    0x80FFFFFFu, {0xFF1080E0u, 0xFF20A020u, 0xFFC08000u, 0xFFC02000u, 0xFF808080u}};
constexpr std::array<double, 4> FPS_THRESHOLDS{120.0, 60.0, 10.0, 0.0};
