#pragma once

// The wheel steppers of the scrollable strips: each notch moves the strip's
// scroll fraction by a fixed step, clamped to 0..1; the layout callbacks turn
// the fraction into a pixel offset.

#include <cstdint>

struct Application;

enum ScrollStrip : std::int32_t {
    SCROLL_STRIP_NAVIGATOR_LIST = 0,
    SCROLL_STRIP_NAVIGATOR_PATH,
    SCROLL_STRIP_TABS,    // TABSCROLL
    SCROLL_STRIP_STATUS,  // STATSCROLL
    SCROLL_STRIP_TOOLS,   // TOOLSCROLL
    SCROLL_STRIP_MENUS,   // MENUSCROLL
    SCROLL_STRIP_SLIDERS, // SLIDERSCROLL
    SCROLL_STRIP_COLOURS, // COLOURSCROLL
    SCROLL_STRIP_DIRECTIVES,
    SCROLL_STRIP_VARIANTS,
    SCROLL_STRIP_PARALLEL_FLAGS, // the parallel-flags strip's content
    SCROLL_STRIP_INSPECTOR,      // the low-level inspector strip's content
    SCROLL_STRIP_COUNT,
};

// Steps strip `strip` by `steps` notches (signed). Returns whether the wheel
// event counts as consumed: a strip whose content fits, or that is already
// at its end, changes nothing and answers with its own flag (the navigator's
// strips let the wheel go on, the bars keep it).
bool step_scroll_strip(Application& app, ScrollStrip strip, int steps);

// The strip's fraction, for the layout and the tests.
double& scroll_strip_fraction(Application& app, ScrollStrip strip);

// The run pane's body, a pixel offset rather than a fraction: 48 pixels a
// notch, a positive step showing what lies further down, kept between
// (view - content) and 0. Consumed whether or not it moved.
bool step_run_pane_text(Application& app, int steps);
