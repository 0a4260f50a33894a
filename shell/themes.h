#pragma once

// Themes: each gives the thirteen fill styles all widget painting reads, the
// background clear colour, the text colour and the meaning colours. Widgets
// point at the active styles, so applying a theme copies over them in place.

#include <array>
#include <cstdint>

#include "lumo/fill_style.h"
#include "state/interface_state.h"

struct Application;

constexpr int FILL_STYLE_COUNT = 13;
constexpr int THEME_COUNT = 5;

enum ThemeIndex : int {
    THEME_DARK = 0,
    THEME_SILVER = 1,
    THEME_LIGHT = 2,
    THEME_CHARCOAL = 3,
    THEME_MIDNIGHT = 4,
};

// Roles of the active styles. A hovered tab carries text, a thumb stands
// out of its track: no one colour does both in every theme, so the tab has
// a style of its own.
enum FillStyleSlot : int {
    STYLE_BAR = 0,           // bars and scroll-pane horizontal thumb
    STYLE_BAR_FLIPPED = 1,   // bars when the vertical flip is on
    STYLE_PANEL = 2,         // side panel and modal pane bodies
    STYLE_TRACK = 3,         // scroll tracks
    STYLE_BORDER_TOP = 4,    // top border lines
    STYLE_BORDER_RIGHT = 5,  // right border lines
    STYLE_BORDER_LEFT = 6,   // left border lines
    STYLE_BORDER_BOTTOM = 7, // bottom border lines
    STYLE_THUMB_HOVER = 8,   // scroll thumbs, the navigator's thumb, grips
    STYLE_HIGHLIGHT = 9,     // hovered and selected rows and buttons
    STYLE_DROP_DOWN = 10,    // opened drop-downs and strips
    STYLE_MASK = 11,         // the dimming mask behind modal panes
    STYLE_HOVERED_TAB = 12,  // hovered environment tabs
};

struct ThemeColours {
    const char* name;
    // Copying reverses a style's stops, so each two-stop style is written
    // here with its last stop first: the active copy reads first to last.
    std::array<FillStyle, FILL_STYLE_COUNT> styles;
    std::array<double, 4> background;
    std::array<double, 4> text;
    // The same meanings in colours that read on this theme's panels, and in
    // colours that read on its highlight (style 9).
    MeaningColours meanings;
    MeaningColours meanings_on_highlight;
};

// The themes in index order (data table).
const std::array<ThemeColours, THEME_COUNT>& theme_table();

// The active styles; the widgets point into this array.
extern std::array<FillStyle, FILL_STYLE_COUNT> g_active_fill_styles;

// Copies theme `theme` (clamped to 0..4) over the active styles and into
// the application's text, meaning (both sets) and background colours and the
// toolkit's colours of widgets given none and of scroll thumbs, and hands the
// background to the clear-colour service when one is installed.
void apply_theme_colours(Application& app, int theme);

// An ARGB word of an RGBA colour of doubles.
std::uint32_t argb_of(const std::array<double, 4>& rgba);
