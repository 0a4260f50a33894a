// Every theme's texts read on its own fills: the text colour on the bars,
// panels, tracks, drop-downs, hovered tabs and the highlight; the meaning
// colours on the panels and tracks, and their second set on the highlight,
// each at the floor its meaning asks. Thumbs and grips stand out of what lies
// around them, the 3-D view's pane buttons read on every theme's background.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "lumo/scroll_pane.h"
#include "lumo/view_layout.h"
#include "shell/themes.h"
#include "state/application.h"

namespace {

double linear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(double r, double g, double b)
{
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

using Rgba = MeaningColours::Rgba;

double contrast(const Rgba& a, const Rgba& b)
{
    const double la = luminance(a[0], a[1], a[2]), lb = luminance(b[0], b[1], b[2]);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgba stop_of(const FillStyle& fill, int stop)
{
    return {fill.channel(stop, 0), fill.channel(stop, 1), fill.channel(stop, 2), 1.0};
}

// Against the fill's stop that reads worst.
double contrast(const Rgba& ink, const FillStyle& fill)
{
    double worst = 21.0;
    for (int stop = 0; stop < fill.stop_count(); ++stop)
        worst = std::min(worst, contrast(ink, stop_of(fill, stop)));
    return worst;
}

// An ARGB word drawn over a colour.
Rgba over(std::uint32_t argb, const Rgba& under)
{
    const double alpha = (argb >> 24) / 255.0;
    Rgba mixed{0, 0, 0, 1};
    for (int c = 0; c < 3; ++c)
        mixed[static_cast<std::size_t>(c)] = alpha * (argb >> (16 - 8 * c) & 0xFF) / 255.0 +
                                             (1 - alpha) * under[static_cast<std::size_t>(c)];
    return mixed;
}

struct MeaningSample {
    const char* what;
    const Rgba& ink;
    double floor;
};

std::array<MeaningSample, 6> samples_of(const MeaningColours& m)
{
    return {{{"normal", m.normal, 4.5},
             {"faint", m.faint, 2.0},
             {"executable", m.executable, 3.0},
             {"true", m.true_value, 3.0},
             {"false", m.false_value, 3.0},
             {"error", m.error, 3.0}}};
}

TEST(Themes, TextsAndMeaningsReadOnTheirFills)
{
    for (const ThemeColours& theme : theme_table()) {
        const std::string name = theme.name;
        // The window starts with the background as a word: the same shade
        // as the exact colour a theme change clears with.
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(argb_of(theme.background) >> (16 - 8 * c) & 0xFF,
                      std::lround(theme.background[static_cast<std::size_t>(c)] * 255))
                << name << " channel " << c;
        for (int slot : {STYLE_BAR, STYLE_BAR_FLIPPED, STYLE_PANEL, STYLE_TRACK, STYLE_HOVERED_TAB,
                         STYLE_HIGHLIGHT, STYLE_DROP_DOWN})
            EXPECT_GE(contrast(theme.text, theme.styles[slot]), 4.5) << name << " style " << slot;
        // On the highlight, what is not on offer stays fainter than normal.
        const MeaningColours& lit = theme.meanings_on_highlight;
        const FillStyle& highlight = theme.styles[STYLE_HIGHLIGHT];
        for (const MeaningSample& sample : samples_of(lit))
            EXPECT_GE(contrast(sample.ink, highlight), sample.floor)
                << name << " on the highlight: " << sample.what;
        EXPECT_LT(contrast(lit.faint, highlight), contrast(lit.normal, highlight)) << name;
        // Light keeps the colours the panels were drawn with.
        if (name == "Light") {
            EXPECT_EQ(theme.meanings, MeaningColours{});
            continue;
        }
        const MeaningColours& m = theme.meanings;
        for (int slot : {STYLE_PANEL, STYLE_TRACK}) {
            const FillStyle& fill = theme.styles[slot];
            for (const MeaningSample& sample : samples_of(m))
                EXPECT_GE(contrast(sample.ink, fill), sample.floor) << name << " " << sample.what;
            EXPECT_LT(contrast(m.faint, fill), contrast(m.normal, fill) / 2)
                << name << ": what is not on offer stays plainly fainter";
        }
    }
}

// The navigator's thumb on its track, the directive grip by its column and
// over the 3-D view, a hovered scroll thumb on its tinted track; the pane
// buttons' glyphs on their backing over the 3-D view.
TEST(Themes, ThumbsGripsAndPaneButtonsStandOut)
{
    const std::uint32_t track_tint = lumo::SP{}.parts[lumo::SP::kTrackX].background_colour;
    for (const ThemeColours& theme : theme_table()) {
        const FillStyle& thumb = theme.styles[STYLE_THUMB_HOVER];
        const Rgba panel = stop_of(theme.styles[STYLE_PANEL], 0);
        for (const Rgba& around : {stop_of(theme.styles[STYLE_TRACK], 0), panel, theme.background,
                                   over(track_tint, panel)})
            EXPECT_GE(contrast(stop_of(thumb, 0), around), 3.0) << theme.name;
        // The scroll panes' thumbs, as the theme leaves them, on their tracks.
        apply_theme_colours(create_application(), static_cast<int>(&theme - theme_table().data()));
        for (const Rgba& around : {over(track_tint, panel), panel})
            EXPECT_GE(contrast(over(lumo::g_scroll_thumb_colour, panel), around), 3.0)
                << theme.name;
        destroy_application();
        const Rgba backing = over(lumo::kPaneButtonBacking, theme.background);
        EXPECT_GE(contrast(over(lumo::kPaneButtonText, backing), backing), 4.5) << theme.name;
    }
}

} // namespace
