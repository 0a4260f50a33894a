#pragma once

// Groups of widget members of the Application, built empty at construction
// and configured by the interface construction.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lumo/layouts.h"
#include "lumo/slider.h"
#include "lumo/text.h"
#include "app/state/menu_state.h"

// Colour-function ids shown by the fifteen colour-bar toggles.
constexpr int COLOUR_FUNCTION_COUNT = 15;
constexpr int FIRST_COLOUR_FUNCTION = 3;

// Row counts of the menus; the largest sizes the fixed row arrays.
constexpr int MAX_MENU_ROWS = 12;
constexpr std::array<int, TOOL_MENU_COUNT> TOOL_MENU_ROW_COUNTS{5, 5, 9, 3, 2, 3, 4, 6};
constexpr std::array<int, SETTINGS_MENU_COUNT> SETTINGS_MENU_ROW_COUNTS{6, 5, 7, 1,  3,
                                                                        1, 5, 1, 12, 6};

struct MenuWidgets {
    lumo::KL pane;
    std::array<lumo::P, MAX_MENU_ROWS> rows;
    std::int32_t row_count = 0;
};

// Pick modes shown by the seven inspector radio rows, in row order.
constexpr std::array<char, 7> PICK_MODES{'!', 'T', 'P', 'G', 'O', 'E', 'U'};

struct ConfirmPaneWidgets {
    lumo::KL pane;
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
