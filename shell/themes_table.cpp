// The five themes as data. Each two-stop style is listed bottom (or right)
// stop first, because the theme applier's copy reverses the stops.
//
// Every theme's text colour reads at contrast 4.5 or more on its bars and
// panels, on its highlight (style 9) and on a hovered tab (style 12). Scroll
// thumbs and grips (style 8) stand out by 3 from the tracks, panels and 3-D
// background around them. The meaning colours keep their sense in each
// theme: on dark panels, normal entries take the text colour, what is not on
// offer lies halfway to the panel (contrast 2 and more, below normal), and
// the accents are lightened until they reach 3; Light keeps the colours the
// panels were drawn with. On the highlight the same rules give a second set:
// lighter still on the dark themes' highlights, darker where Light's and
// Silver's highlight would swallow the written blue and green.

#include "shell/themes.h"

namespace {

using Stops = std::vector<double>;

FillStyle flat(double r, double g, double b, double a = 1.0)
{
    return FillStyle(Stops{r, g, b, a}, kFillFlat);
}

// `to` is where the gradient ends, `from` where it starts once copied.
FillStyle vertical(const Stops& to, const Stops& from)
{
    Stops stops = to;
    stops.insert(stops.end(), from.begin(), from.end());
    return FillStyle(stops, kFillVertical);
}

ThemeColours make_theme(const char* name, std::array<FillStyle, FILL_STYLE_COUNT> styles,
                        std::array<double, 4> background, std::array<double, 4> text,
                        MeaningColours meanings, MeaningColours on_highlight)
{
    return ThemeColours{name, std::move(styles), background, text, meanings, on_highlight};
}

const std::array<ThemeColours, THEME_COUNT> k_themes{
    make_theme("Dark",
               {vertical({0.13, 0.14, 0.15, 1}, {0.20, 0.21, 0.23, 1}),
                vertical({0.20, 0.21, 0.23, 1}, {0.13, 0.14, 0.15, 1}), flat(0.17, 0.18, 0.19),
                flat(0.12, 0.12, 0.13), flat(0.30, 0.31, 0.33), flat(0.07, 0.07, 0.08),
                flat(0.30, 0.31, 0.33), flat(0.07, 0.07, 0.08), flat(0.60, 0.62, 0.66),
                flat(0.18, 0.38, 0.62), flat(0.22, 0.23, 0.25), flat(0.0, 0.0, 0.0, 0.55),
                flat(0.33, 0.35, 0.38)},
               {0.09, 0.10, 0.11, 1.0}, {0.88, 0.89, 0.90, 1.0},
               MeaningColours{{0.88, 0.89, 0.90, 1},
                              {0.50, 0.51, 0.53, 1},
                              {0.45, 0.65, 1.0, 1},
                              {0.35, 0.78, 0.25, 1},
                              {0.96, 0.42, 0.32, 1},
                              {1.0, 0.50, 0.30, 1}},
               MeaningColours{{0.88, 0.89, 0.90, 1},
                              {0.62, 0.67, 0.74, 1},
                              {0.60, 0.90, 1.0, 1},
                              {0.62, 0.95, 0.50, 1},
                              {1.0, 0.74, 0.66, 1},
                              {1.0, 0.78, 0.50, 1}}),
    make_theme("Silver",
               {vertical({0.70, 0.72, 0.74, 1}, {0.88, 0.89, 0.90, 1}),
                vertical({0.88, 0.89, 0.90, 1}, {0.70, 0.72, 0.74, 1}), flat(0.82, 0.83, 0.84),
                flat(0.74, 0.75, 0.77), flat(0.96, 0.96, 0.97), flat(0.52, 0.54, 0.57),
                flat(0.96, 0.96, 0.97), flat(0.52, 0.54, 0.57), flat(0.30, 0.32, 0.35),
                flat(0.58, 0.72, 0.88), flat(0.86, 0.87, 0.88), flat(0.30, 0.32, 0.35, 0.45),
                flat(0.60, 0.62, 0.66)},
               {0.62, 0.64, 0.67, 1.0}, {0.10, 0.11, 0.12, 1.0},
               MeaningColours{{0.20, 0.20, 0.20, 1},
                              {0.50, 0.50, 0.50, 1},
                              {0.08, 0.30, 0.78, 1},
                              {0.08, 0.40, 0.0, 1},
                              {0.62, 0.10, 0.0, 1},
                              {0.70, 0.12, 0.0, 1}},
               MeaningColours{{0.20, 0.20, 0.20, 1},
                              {0.34, 0.36, 0.40, 1},
                              {0.02, 0.16, 0.50, 1},
                              {0.02, 0.26, 0.0, 1},
                              {0.42, 0.04, 0.0, 1},
                              {0.46, 0.06, 0.0, 1}}),
    make_theme(
        "Light",
        {vertical({0.90, 0.91, 0.92, 1}, {0.99, 0.99, 0.99, 1}),
         vertical({0.99, 0.99, 0.99, 1}, {0.90, 0.91, 0.92, 1}), flat(0.96, 0.96, 0.97),
         flat(0.90, 0.90, 0.91), flat(1.0, 1.0, 1.0), flat(0.74, 0.75, 0.77), flat(1.0, 1.0, 1.0),
         flat(0.74, 0.75, 0.77), flat(0.42, 0.43, 0.45), flat(0.78, 0.87, 0.97),
         flat(0.98, 0.98, 0.99), flat(0.55, 0.57, 0.60, 0.40), flat(0.70, 0.72, 0.75)},
        {0.80, 0.82, 0.85, 1.0}, {0.16, 0.17, 0.18, 1.0}, MeaningColours{},
        MeaningColours{.executable = {0.08, 0.30, 0.78, 1}, .true_value = {0.08, 0.40, 0.0, 1}}),
    make_theme("Charcoal",
               {vertical({0.21, 0.21, 0.21, 1}, {0.29, 0.29, 0.29, 1}),
                vertical({0.29, 0.29, 0.29, 1}, {0.21, 0.21, 0.21, 1}), flat(0.25, 0.25, 0.25),
                flat(0.19, 0.19, 0.19), flat(0.38, 0.38, 0.38), flat(0.12, 0.12, 0.12),
                flat(0.38, 0.38, 0.38), flat(0.12, 0.12, 0.12), flat(0.70, 0.70, 0.70),
                flat(0.54, 0.36, 0.12), flat(0.30, 0.30, 0.30), flat(0.0, 0.0, 0.0, 0.50),
                flat(0.40, 0.40, 0.40)},
               {0.35, 0.35, 0.35, 1.0}, {0.92, 0.92, 0.90, 1.0},
               MeaningColours{{0.92, 0.92, 0.90, 1},
                              {0.60, 0.60, 0.59, 1},
                              {0.55, 0.72, 1.0, 1},
                              {0.45, 0.85, 0.32, 1},
                              {1.0, 0.52, 0.42, 1},
                              {1.0, 0.58, 0.42, 1}},
               MeaningColours{{0.92, 0.92, 0.90, 1},
                              {0.70, 0.70, 0.69, 1},
                              {0.70, 0.85, 1.0, 1},
                              {0.66, 0.96, 0.54, 1},
                              {1.0, 0.80, 0.72, 1},
                              {1.0, 0.82, 0.60, 1}}),
    make_theme("Midnight",
               {vertical({0.06, 0.08, 0.16, 1}, {0.11, 0.14, 0.26, 1}),
                vertical({0.11, 0.14, 0.26, 1}, {0.06, 0.08, 0.16, 1}), flat(0.08, 0.10, 0.20),
                flat(0.05, 0.06, 0.13), flat(0.20, 0.24, 0.40), flat(0.02, 0.03, 0.07),
                flat(0.20, 0.24, 0.40), flat(0.02, 0.03, 0.07), flat(0.44, 0.54, 0.86),
                flat(0.14, 0.36, 0.58), flat(0.12, 0.15, 0.28), flat(0.0, 0.0, 0.05, 0.55),
                flat(0.26, 0.32, 0.52)},
               {0.02, 0.03, 0.08, 1.0}, {0.82, 0.86, 0.96, 1.0},
               MeaningColours{{0.82, 0.86, 0.96, 1},
                              {0.45, 0.49, 0.60, 1},
                              {0.45, 0.65, 1.0, 1},
                              {0.35, 0.78, 0.25, 1},
                              {0.96, 0.42, 0.32, 1},
                              {1.0, 0.50, 0.30, 1}},
               MeaningColours{{0.82, 0.86, 0.96, 1},
                              {0.58, 0.64, 0.78, 1},
                              {0.60, 0.90, 1.0, 1},
                              {0.62, 0.95, 0.50, 1},
                              {1.0, 0.74, 0.66, 1},
                              {1.0, 0.78, 0.50, 1}}),
};

} // namespace

const std::array<ThemeColours, THEME_COUNT>& theme_table()
{
    return k_themes;
}
