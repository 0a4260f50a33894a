#include "shell/themes.h"

#include <algorithm>

#include "lumo/draw_list.h"
#include "lumo/scroll_pane.h"
#include "lumo/widget.h"
#include "state/application.h"

std::array<FillStyle, FILL_STYLE_COUNT> g_active_fill_styles;

void apply_theme_colours(Application& app, int theme)
{
    const ThemeColours& colours =
        theme_table()[static_cast<std::size_t>(std::clamp(theme, 0, THEME_COUNT - 1))];
    for (std::size_t i = 0; i < g_active_fill_styles.size(); ++i)
        g_active_fill_styles[i] = colours.styles[i];
    app.theme_text_colour = colours.text;
    std::copy(colours.text.begin(), colours.text.end(), lumo::g_theme_text_colour);
    app.meaning_colours = colours.meanings;
    app.meaning_colours_on_highlight = colours.meanings_on_highlight;
    app.background_colour = colours.background;
    const FillStyle& thumb = colours.styles[STYLE_THUMB_HOVER];
    lumo::g_scroll_thumb_colour =
        lumo::rgba_to_argb(thumb.channel(0, 0), thumb.channel(0, 1), thumb.channel(0, 2), 1.0);
    if (app.platform.clear_colour != nullptr)
        app.platform.clear_colour(colours.background[0], colours.background[1],
                                  colours.background[2], colours.background[3]);
}

// Rounded as GL rounds a colour into an 8-bit framebuffer (the toolkit's
// conversion does so), so the window's first clear colour is the very shade
// a later theme change clears with.
std::uint32_t argb_of(const std::array<double, 4>& rgba)
{
    return lumo::rgba_to_argb(rgba[0], rgba[1], rgba[2], rgba[3]);
}
