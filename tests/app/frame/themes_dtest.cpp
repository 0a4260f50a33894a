// The real program in each of its five themes, judged by the window's
// pixels: every text and icon stands out of the fill under it by the
// contrast ratio of their relative luminances, (L1 + 0.05) / (L2 + 0.05).
// Texts reach 4.5, icons and accent colours 3. What is drawn faint on purpose
// (opacity 0.25 or 0.5, rows not offered, the hint of an empty field) reads
// fainter than the normal text beside it, yet reaches 2. Selected and hovered
// rows keep these floors on the highlight. Light keeps the colours the
// program's design writes for the navigator cells, the run pane's feature
// rows, the BLN values and the rows with errors exactly where they stand on
// the panel. The navigator's thumb and the directive column's grip stand out
// of what lies beside them by 3. The frame-rate read-out keeps its rate
// colours over a backing of its own.

#include "tests/app/frame/program_driver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

constexpr int THEME_COUNT = 5;
constexpr int LIGHT = 2; // the start theme; Ctrl+T steps to the next index
constexpr std::array<const char*, THEME_COUNT> THEME_NAMES{"Dark", "Silver", "Light", "Charcoal",
                                                           "Midnight"};

// ---- Contrast ----------------------------------------------------------------

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const Rgb& c)
{
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast(const Rgb& a, const Rgb& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb most_common(const Rgb* first, const Rgb* last)
{
    std::map<int, int> counts; // pixels by packed colour
    for (const Rgb* c = first; c != last; ++c)
        ++counts[c->r << 16 | c->g << 8 | c->b];
    const int packed = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                           return a.second < b.second;
                       })->first;
    return {packed >> 16, packed >> 8 & 0xFF, packed & 0xFF};
}

Rgb most_common(const Image& image)
{
    return most_common(image.pixels.data(), image.pixels.data() + image.pixels.size());
}

struct Reading {
    double ratio = 0.0;
    Rgb fill, ink;
};

// The fill is the most common colour of each row, so that under a vertical
// gradient it is the fill right beside the ink; the ink is the pixel that
// stands out most from its row's fill.
Reading read_contrast(const Image& image)
{
    Reading best;
    for (int row = 0; row < image.height; ++row) {
        const Rgb* first = image.pixels.data() + static_cast<std::size_t>(row * image.width);
        const Rgb fill = most_common(first, first + image.width);
        for (const Rgb* c = first; c != first + image.width; ++c)
            if (const double ratio = contrast(*c, fill); ratio > best.ratio)
                best = {ratio, fill, *c};
    }
    return best;
}

Rgb rgb_of(std::uint32_t argb)
{
    return {int(argb >> 16 & 0xFF), int(argb >> 8 & 0xFF), int(argb & 0xFF)};
}

bool near(const Rgb& a, const Rgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// ---- Samples -----------------------------------------------------------------

// Texts 4.5; icons and accent colours 3; faint 2 and below the sample
// beside; a backing only differs from the bare view beside it; a part (a
// thumb, a grip) reaches 3 against what lies beside it.
enum class Kind { TEXT, ICON, ACCENT, FAINT, BACKING, PART };

double floor_of(Kind kind)
{
    switch (kind) {
    case Kind::TEXT:
        return 4.5;
    case Kind::ICON:
    case Kind::ACCENT:
    case Kind::PART:
        return 3.0;
    default:
        return 2.0;
    }
}

// The origin a sample's rectangle is measured from: a corner of the window,
// the dialog panes' corner or the confirmation box's.
enum class Anchor { TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT, DIALOG, CONFIRMATION };

// The stops of the walk, in order; each is measured in all five themes.
enum Stop {
    ENTITIES,
    PARAMETERS,
    EXPORT,
    EMPTY_NAME,
    NAVIGATOR,
    RUN,
    CONFIRM,
    PROFILE,
    PARSE,
    TAB_AND_GRIP
};

constexpr std::uint32_t CELL_GREY = 0xFF464646; // (0.275, 0.275, 0.275)
constexpr std::uint32_t EXECUTABLE_BLUE = 0xFF3F7FFF;
constexpr std::uint32_t NOT_OFFERED_GREY = 0xFF808080;
constexpr std::uint32_t BLN_TRUE_GREEN = 0xFF20A000;
constexpr std::uint32_t BLN_FALSE_RED = 0xFFA02000;
constexpr std::uint32_t ERROR_RED = 0xFFC02000;

struct Sample {
    Stop stop;
    const char* name;
    Kind kind;
    Anchor anchor;
    int x, y, width, height;
    std::uint32_t light_colour = 0; // Light keeps it as written; 0: none
    const char* beside = nullptr;   // the normal sample a faint one stays below
    int dx = 0, dy = 0;             // where a backing or a part has its surroundings
};

// Side-panel rows stand 51 pixels apart from y 112: a.plim, then b.plim,
// locked. The parameter panel's details are scrolled to their end, which
// lies at the side panel's foot, H - M - T: from there up, the footer and
// a.plim's dark, title and lit, two rows of T each; its thumb stands at the
// foot of its track, at the side panel's right edge. The navigator lists, by
// name, a.plim, b.plim, c_folder/, d_notes.txt, e_tool, then f_tool and
// g_notes.txt selected, h_tool selected under the pointer, and tmp/, in rows
// of M from y M; its size, time and date cells start 5U, 3U and 2U short of
// the right edge, its path bar 2U + M above the foot, its thumb T wide at the
// top right above its track. The dialogs are DIALOG_W x DIALOG_H, the
// confirmation box DIALOG_W x 224, both centred; the parse-check's rows stand
// T apart from 2G + M, where the profiling rows start too. The menu tree's
// rows stand M apart below the script list; the directive column takes 2U at
// the right edge, with its grip 12 wide left of it and the 3-D view's pane
// buttons at the view's top right; the tabs stand 64 apart in the foot, the
// open tool menu's rows right of its title.
const Sample SAMPLES[] = {
    {ENTITIES, "entity row: name", Kind::TEXT, Anchor::TOP_LEFT, 8, 114, 60, 14},
    {ENTITIES, "entity row: focus icon", Kind::ICON, Anchor::TOP_LEFT, 198, 113, 24, 20},
    {ENTITIES, "entity row: material icon", Kind::ICON, Anchor::TOP_LEFT, 221, 112, 32, 24},
    {ENTITIES, "entity row: refresh icon", Kind::ICON, Anchor::TOP_LEFT, 200, 137, 22, 18},
    {ENTITIES, "entity row: delete icon", Kind::ICON, Anchor::TOP_LEFT, 223, 137, 30, 18},
    {ENTITIES, "entity row: lock, locked", Kind::ICON, Anchor::TOP_LEFT, 8, 181, 26, 27},
    {ENTITIES, "entity row: lock, unlocked", Kind::FAINT, Anchor::TOP_LEFT, 8, 130, 26, 27, 0,
     "entity row: lock, locked"},
    {ENTITIES, "frame-rate read-out: backing", Kind::BACKING, Anchor::BOTTOM_RIGHT, -150, -105, 110,
     20, 0, nullptr, -124, 0},
    {PARAMETERS, "parameter row, selected: material", Kind::ICON, Anchor::TOP_LEFT, 220, 112, 24,
     22},
    {PARAMETERS, "parameter row, selected: focus", Kind::ICON, Anchor::TOP_LEFT, 220, 135, 24, 23},
    {PARAMETERS, "parameter row, selected: lock", Kind::FAINT, Anchor::TOP_LEFT, 8, 130, 26, 27, 0,
     "parameter row, selected: material"},
    {PARAMETERS, "parameter: type label BLN", Kind::TEXT, Anchor::BOTTOM_LEFT, 4, -222, 44, 20},
    {PARAMETERS, "parameter: type label STR", Kind::TEXT, Anchor::BOTTOM_LEFT, 4, -174, 44, 20},
    {PARAMETERS, "parameter: value field STR", Kind::TEXT, Anchor::BOTTOM_LEFT, 150, -150, 96, 22},
    {PARAMETERS, "parameter: info icon", Kind::ICON, Anchor::BOTTOM_LEFT, 212, -176, 36, 26},
    {PARAMETERS, "parameter: reset icon", Kind::ICON, Anchor::BOTTOM_LEFT, 6, -152, 36, 24},
    {PARAMETERS, "parameter: BLN TRUE", Kind::ACCENT, Anchor::BOTTOM_LEFT, 150, -198, 96, 20,
     BLN_TRUE_GREEN},
    {PARAMETERS, "parameter: BLN FALSE", Kind::ACCENT, Anchor::BOTTOM_LEFT, 150, -102, 96, 22,
     BLN_FALSE_RED},
    {PARAMETERS, "parameter details: thumb", Kind::PART, Anchor::BOTTOM_LEFT, 250, -100, 4, 20, 0,
     nullptr, 0, -60},
    {PARAMETERS, "hint bar: icon", Kind::ICON, Anchor::TOP_LEFT, 258, 90, 44, 40},
    {PARAMETERS, "hint bar: title", Kind::TEXT, Anchor::TOP_LEFT, 302, 91, 120, 17},
    {PARAMETERS, "hint bar: text", Kind::TEXT, Anchor::TOP_LEFT, 302, 109, 220, 18},
    {EXPORT, "export: name field", Kind::TEXT, Anchor::DIALOG, 18, 84, 120, 24},
    {EXPORT, "export: location field", Kind::TEXT, Anchor::DIALOG, 18, 124, 160, 24},
    {EMPTY_NAME, "export: empty-name hint", Kind::FAINT, Anchor::DIALOG, 18, 84, 120, 24, 0,
     "export: location field"},
    {NAVIGATOR, "navigator: SRC type", Kind::ACCENT, Anchor::TOP_LEFT, 6, 38, 44, 20, CELL_GREY},
    {NAVIGATOR, "navigator: SRC name", Kind::ACCENT, Anchor::TOP_LEFT, 62, 38, 100, 20, CELL_GREY},
    {NAVIGATOR, "navigator: SRC size", Kind::ACCENT, Anchor::TOP_RIGHT, -272, 38, 96, 20,
     CELL_GREY},
    {NAVIGATOR, "navigator: SRC time", Kind::ACCENT, Anchor::TOP_RIGHT, -166, 38, 52, 20,
     CELL_GREY},
    {NAVIGATOR, "navigator: SRC date", Kind::ACCENT, Anchor::TOP_RIGHT, -111, 38, 86, 20,
     CELL_GREY},
    {NAVIGATOR, "navigator: DIR type", Kind::ACCENT, Anchor::TOP_LEFT, 6, 102, 44, 20, CELL_GREY},
    {NAVIGATOR, "navigator: DIR name", Kind::ACCENT, Anchor::TOP_LEFT, 62, 102, 100, 20, CELL_GREY},
    {NAVIGATOR, "navigator: EXE type", Kind::ACCENT, Anchor::TOP_LEFT, 6, 166, 44, 20,
     EXECUTABLE_BLUE},
    {NAVIGATOR, "navigator: EXE name", Kind::ACCENT, Anchor::TOP_LEFT, 62, 166, 100, 20,
     EXECUTABLE_BLUE},
    {NAVIGATOR, "navigator: '-' name", Kind::FAINT, Anchor::TOP_LEFT, 62, 134, 100, 20,
     NOT_OFFERED_GREY, "navigator: SRC name"},
    {NAVIGATOR, "navigator: '-' size", Kind::FAINT, Anchor::TOP_RIGHT, -272, 134, 96, 20,
     NOT_OFFERED_GREY, "navigator: SRC size"},
    {NAVIGATOR, "navigator: path button", Kind::ACCENT, Anchor::BOTTOM_LEFT, 46, -130, 44, 20,
     CELL_GREY},
    {RUN, "run pane: feature offered", Kind::ACCENT, Anchor::DIALOG, 14, 218, 110, 20, CELL_GREY},
    {RUN, "run pane: feature not offered", Kind::FAINT, Anchor::DIALOG, 14, 242, 120, 20,
     NOT_OFFERED_GREY, "run pane: feature offered"},
    {CONFIRM, "confirmation: icon", Kind::ICON, Anchor::CONFIRMATION, 6, 6, 38, 36},
    {ENTITIES, "menu tree, marked row", Kind::TEXT, Anchor::TOP_LEFT, 262, 124, 150, 24},
    {NAVIGATOR, "navigator: thumb", Kind::PART, Anchor::TOP_RIGHT, -20, 4, 16, 22, 0, nullptr, 0,
     40},
    {NAVIGATOR, "navigator, selected: EXE type", Kind::ACCENT, Anchor::TOP_LEFT, 6, 198, 44, 20},
    {NAVIGATOR, "navigator, selected: EXE name", Kind::ACCENT, Anchor::TOP_LEFT, 62, 198, 100, 20},
    {NAVIGATOR, "navigator, selected: EXE size", Kind::ACCENT, Anchor::TOP_RIGHT, -272, 198, 96,
     20},
    {NAVIGATOR, "navigator, selected: '-' name", Kind::FAINT, Anchor::TOP_LEFT, 62, 230, 100, 20, 0,
     "navigator, selected: EXE size"},
    {NAVIGATOR, "navigator, selected, hovered: EXE", Kind::ACCENT, Anchor::TOP_LEFT, 62, 262, 100,
     20},
    {PROFILE, "profiling row, selected", Kind::TEXT, Anchor::DIALOG, 12, 52, 120, 24},
    {PARSE, "parse report: error row", Kind::ACCENT, Anchor::DIALOG, 12, 74, 150, 20, ERROR_RED},
    {PARSE, "parse report: error row, selected", Kind::ACCENT, Anchor::DIALOG, 12, 50, 150, 20},
    {TAB_AND_GRIP, "environment tab, hovered", Kind::TEXT, Anchor::BOTTOM_LEFT, 190, -29, 54, 16},
    {TAB_AND_GRIP, "directive grip by its column", Kind::PART, Anchor::TOP_RIGHT, -122, 114, 8, 18,
     0, nullptr, 14, 0},
    {TAB_AND_GRIP, "3-D view: pane button '|'", Kind::TEXT, Anchor::TOP_RIGHT, -162, 90, 14, 14},
    {TAB_AND_GRIP, "3-D view: pane button '-'", Kind::TEXT, Anchor::TOP_RIGHT, -146, 90, 14, 14},
    {TAB_AND_GRIP, "entity row, selected: name", Kind::TEXT, Anchor::TOP_LEFT, 8, 165, 60, 14},
    {TAB_AND_GRIP, "drop-down, marked row", Kind::TEXT, Anchor::TOP_LEFT, 392, 60, 60, 24},
};
constexpr std::size_t SAMPLE_COUNT = std::size(SAMPLES);

const Sample& sample_named(const char* name)
{
    for (const Sample& sample : SAMPLES)
        if (std::strcmp(sample.name, name) == 0) return sample;
    return SAMPLES[0];
}

std::size_t index_of(const Sample& sample)
{
    return static_cast<std::size_t>(&sample - SAMPLES);
}

// Long enough to scroll in both sizes; lit, title and dark end the details.
constexpr const char* A_SCRIPT = "INT n(6, 3, 24, 'Pillars');\n"
                                 "DBL h(2, 0.5, 5, 'Height');\n"
                                 "DBL r(0.3, 0.1, 1, 'Pillar radius');\n"
                                 "DBL R = 2.5;\n"
                                 "BLN lit(true, 'Lit');\n"
                                 "STR title(\"ring\", 'Title');\n"
                                 "BLN dark(false, 'Dark');\n"
                                 "return torus(R, 0.1, 48, 8) + cylinder(r, h, n * 2).tx(R);\n";

// ---- The walk ------------------------------------------------------------------

class ThemesInProgram : public SizedProgramTest {
protected:
    static constexpr int ENTITY_TAB = 2, PARAMETER_TAB = 3;
    static int row_top(int row) { return 112 + 51 * row; }

    Image capture(const Sample& sample, int dx = 0, int dy = 0)
    {
        int x = sample.x + dx, y = sample.y + dy;
        switch (sample.anchor) {
        case Anchor::TOP_LEFT:
            break;
        case Anchor::TOP_RIGHT:
            x += W;
            break;
        case Anchor::BOTTOM_LEFT:
            y += H;
            break;
        case Anchor::BOTTOM_RIGHT:
            x += W;
            y += H;
            break;
        case Anchor::DIALOG:
            x += (W - DIALOG_W) / 2;
            y += (H - DIALOG_H) / 2;
            break;
        case Anchor::CONFIRMATION:
            x += (W - DIALOG_W) / 2;
            y += (H - 224) / 2;
            break;
        }
        return program.capture(x, y, sample.width, sample.height);
    }

    // A backing reads as the contrast between the fill under the text and
    // the bare view beside it, a part as the contrast between its fill and
    // what lies beside it.
    Reading measure(const Sample& sample)
    {
        if (sample.kind != Kind::BACKING && sample.kind != Kind::PART)
            return read_contrast(capture(sample));
        const Rgb under = most_common(capture(sample));
        const Rgb beside = most_common(capture(sample, sample.dx, sample.dy));
        return {contrast(under, beside), under, beside};
    }

    Reading measure(const char* name) { return measure(sample_named(name)); }

    bool ink_is(const char* name, std::uint32_t colour)
    {
        return near(measure(name).ink, rgb_of(colour), 2);
    }

    // Ctrl+T, until the bars (or the navigator's head) show the next theme
    // and hold still.
    void next_theme()
    {
        const auto head = [&] { return program.capture(0, 0, W, G); };
        const Image before = head();
        program.key(XK_t, {XK_Control_L});
        ASSERT_TRUE(wait_until([&] { return head().differences(before) > W; }))
            << "Ctrl+T shows the next theme";
        ASSERT_TRUE(wait_until_still(head));
    }

    // Every sample of the stop, in each theme from Light on; Light again at
    // the end.
    void measure_stop(Stop stop)
    {
        for (int step = 0; step < THEME_COUNT; ++step) {
            const int theme = (LIGHT + step) % THEME_COUNT;
            for (const Sample& sample : SAMPLES)
                if (sample.stop == stop)
                    readings[index_of(sample)][static_cast<std::size_t>(theme)] = measure(sample);
            ASSERT_NO_FATAL_FAILURE(next_theme());
        }
    }

    // The window above the frame-rate read-out, whose figures never rest.
    Image above_read_out() { return program.capture(0, 0, W, H - 120); }

    // Waits until `act` has changed the window and it holds still.
    void settle_after(const std::function<void()>& act)
    {
        const Image before = above_read_out();
        act();
        ASSERT_TRUE(wait_until([&] { return above_read_out().differences(before) > 100; }));
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // Where the pointer rests over a pane: its lower left corner, where
    // nothing takes the hover.
    void rest_pointer() { program.move_pointer((W - DIALOG_W) / 2 + 20, (H + DIALOG_H) / 2 - 20); }

    // A side panel with its key, until its tab shows highlighted.
    void show_side_panel(int panel)
    {
        ASSERT_TRUE(toggle_until([&] { return program.pixel(86 * panel - 54, 62).bluish(); },
                                 XK_1 + panel - 1))
            << "side panel " << panel << " opens";
    }

    // WINDOW > Frame-Rate, then the settings bar goes again.
    void show_frame_rate()
    {
        const auto settings_bar_shown = [&] { return program.pixel(W - 3, H / 2).light(); };
        ASSERT_TRUE(click_until(settings_bar_shown, W - U / 2, U / 2));
        ASSERT_TRUE(click_until([&] { return program.pixel(W - 2 * U, U + 3 * M + M / 2).light(); },
                                W - U / 2, U + U / 2))
            << "the WINDOW drop-down opens";
        const auto rate_shown = [&] {
            return program.count_pixels(W - U - 160, H - 105, 160, 20, [](const Rgb& c) {
                return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 100;
            }) > 20;
        };
        ASSERT_TRUE(click_until(rate_shown, W - 2 * U, U + 4 * M + M / 2)) << "Frame-Rate";
        ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(); }, XK_m));
    }

    // Both scripts' entity rows; b.plim's locked.
    void show_entity_rows()
    {
        ASSERT_NO_FATAL_FAILURE(show_side_panel(ENTITY_TAB));
        ASSERT_TRUE(wait_until([&] { return measure("entity row: delete icon").ratio > 3; }))
            << "the scripts' rows show";
        ASSERT_TRUE(repeat_until([&] { return measure("entity row: lock, locked").ratio > 4; },
                                 [&] {
                                     program.click(18, row_top(1) + 35);
                                     program.move_pointer(W / 2, H / 2);
                                 }))
            << "b.plim is locked";
    }

    // Shift+R opens the run pane, PROFILER goes on and Escape closes the
    // pane again: the scripts open with profiling data.
    void switch_the_profiler_on()
    {
        const int x = (W - DIALOG_W) / 2, y = (H - DIALOG_H) / 2;
        ASSERT_TRUE(
            repeat_until([&] { return !bare_view(); }, [&] { program.key(XK_r, {XK_Shift_L}); }))
            << "Shift+R opens the run pane";
        ASSERT_TRUE(repeat_until([&] { return program.pixel(x + 380, y + 20).bluish(); },
                                 [&] {
                                     program.click(x + 420, y + 20);
                                     rest_pointer();
                                 }))
            << "PROFILER goes on";
        ASSERT_TRUE(toggle_until([&] { return bare_view(); }, XK_Escape)) << "the run pane closes";
    }

    // A click on the script list opens the menu tree, whose rows mark the
    // open side panel, or closes it again.
    void click_script_list(bool open)
    {
        const auto tree_shown = [&] {
            return program.count_pixels(S + 150, U + 5 * M + 4, 20, 20, &Rgb::light) > 300;
        };
        ASSERT_TRUE(repeat_until([&] { return tree_shown() == open; },
                                 [&] {
                                     program.click(S + 100, U + M / 2);
                                     program.move_pointer(W - 60, H / 2);
                                 }))
            << "the menu tree " << (open ? "opens" : "closes");
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // a.plim selected, its parameters scrolled to their end.
    void show_parameters()
    {
        ASSERT_NO_FATAL_FAILURE(show_side_panel(PARAMETER_TAB));
        ASSERT_TRUE(repeat_until([&] { return program.pixel(150, row_top(0) + 3).bluish(); },
                                 [&] {
                                     program.click(150, row_top(0) + 25);
                                     program.move_pointer(W / 2, H / 2);
                                 }))
            << "a.plim's row is selected";
        ASSERT_TRUE(repeat_until([&] { return ink_is("parameter: BLN TRUE", BLN_TRUE_GREEN); },
                                 [&] {
                                     for (int notch = 0; notch < 8; ++notch)
                                         program.click(S / 2, H - M - T - 60, 5);
                                     program.move_pointer(W / 2, H / 2);
                                 }))
            << "the details scroll to their end";
        ASSERT_TRUE(wait_until_still([&] { return program.capture(0, 112, S, H - 168); }));
    }

    // The pointer rests on the first tool menu, whose hint the hint bar
    // shows.
    void show_a_hint()
    {
        const int first_menu = 3 * U + std::max(0, (W - 14 * U) / 2) + U / 2;
        int step = 0;
        ASSERT_TRUE(wait_until([&] {
            program.move_pointer(first_menu + step++ % 2, U / 2);
            return measure("hint bar: title").ratio > 4;
        })) << "the hint bar shows the menu's hint";
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    void open_export_pane()
    {
        rest_pointer();
        settle_after([&] { program.key(XK_s, {XK_Control_L}); });
    }

    // The name's eleven letters go; Enter leaves the field.
    void empty_the_name()
    {
        const int x = (W - DIALOG_W) / 2, y = (H - DIALOG_H) / 2;
        settle_after([&] {
            program.click(x + 200, y + 96);
            program.key(XK_End);
            for (int i = 0; i < 11; ++i)
                program.key(XK_BackSpace);
            program.key(XK_Return);
            rest_pointer();
        });
    }

    // The location's "..." lists the workspace with every kind of entry.
    void open_location_navigator()
    {
        const int x = (W - DIALOG_W) / 2, y = (H - DIALOG_H) / 2;
        // The navigator covers the whole window, the export pane only its middle.
        ASSERT_TRUE(
            click_until([&] { return program.pixel(G / 2, H / 2).light(); }, x + 448, y + 136))
            << "the navigator lists the workspace";
        rest_pointer();
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // f_tool and g_notes.txt selected; h_tool selected under the pointer.
    void select_navigator_rows()
    {
        for (int row : {5, 6, 7}) {
            const int y = M + M * row;
            ASSERT_TRUE(repeat_until([&] { return program.pixel(W / 2, y + 2).bluish(); },
                                     [&] {
                                         program.click(W / 2, y + M / 2);
                                         rest_pointer();
                                     }))
                << "row " << row << " is selected";
        }
        program.move_pointer(W / 2, M + 7 * M + M / 2);
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // Escape twice closes the navigator and the export pane; Shift+R opens
    // the run pane and 1 chooses Pure-Union, which offers "mesh union" and
    // not "csg difference".
    void open_run_pane()
    {
        ASSERT_TRUE(toggle_until([&] { return bare_view(); }, XK_Escape))
            << "Escape closes the panes";
        ASSERT_TRUE(
            repeat_until([&] { return !bare_view(); }, [&] { program.key(XK_r, {XK_Shift_L}); }))
            << "Shift+R opens the run pane";
        ASSERT_TRUE(
            repeat_until([&] { return ink_is("run pane: feature not offered", NOT_OFFERED_GREY); },
                         [&] { program.key(XK_1); }))
            << "1 chooses Pure-Union";
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // The assemble button asks for confirmation.
    void ask_to_assemble()
    {
        const int x = (W - DIALOG_W) / 2, y = (H - DIALOG_H) / 2;
        settle_after([&] {
            program.click(x + 432, y + 344);
            rest_pointer();
        });
    }

    // Escape closes the confirmation and the run pane; b.plim, chosen in the
    // entity inspector, shows its profiling data with its row chosen.
    void open_profile_pane()
    {
        ASSERT_TRUE(toggle_until([&] { return bare_view(); }, XK_Escape))
            << "Escape closes the panes";
        ASSERT_NO_FATAL_FAILURE(show_side_panel(ENTITY_TAB));
        ASSERT_TRUE(repeat_until([&] { return program.pixel(150, row_top(1) + 3).bluish(); },
                                 [&] {
                                     program.click(150, row_top(1) + 10);
                                     program.move_pointer(W / 2, H / 2);
                                 }))
            << "b.plim's row is selected";
        // The details take the side panel below the rows' two fifths.
        const int ppd_y = 246 + (H - 480) * 2 / 5;
        ASSERT_TRUE(repeat_until([&] { return !bare_view(); }, [&] { program.click(220, ppd_y); }))
            << "the PPD control opens the profiling pane";
        rest_pointer();
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // Both scripts gain an error; Ctrl+P shows the report with a.plim's row
    // chosen.
    void open_parse_report()
    {
        ASSERT_TRUE(toggle_until([&] { return bare_view(); }, XK_Escape))
            << "Escape closes the profiling pane";
        for (const char* name : {"a.plim", "b.plim"})
            std::ofstream(workspace / name, std::ios::app) << "// @error broken\n";
        ASSERT_TRUE(
            repeat_until([&] { return !bare_view(); }, [&] { program.key(XK_p, {XK_Control_L}); }))
            << "Ctrl+P shows the parse-check's report";
        rest_pointer();
        ASSERT_TRUE(wait_until_still([&] { return above_read_out(); }));
    }

    // A second environment, then the first again, which brings b.plim's
    // camera directives back in their column beside its grip; the first
    // tool menu opens, and the pointer rests on the second environment's tab.
    void hover_a_tab_beside_the_grip()
    {
        ASSERT_TRUE(toggle_until([&] { return bare_view(); }, XK_Escape))
            << "Escape closes the report";
        ASSERT_NO_FATAL_FAILURE(add_environment(1));
        program.key(XK_Next, {XK_Control_L});
        ASSERT_TRUE(wait_until([&] { return measure("directive grip by its column").ratio > 1.5; }))
            << "Ctrl+Page Down brings back env0 with b.plim's directives";
        const int first_menu = 3 * U + std::max(0, (W - 14 * U) / 2) + U / 2;
        ASSERT_TRUE(repeat_until([&] { return program.pixel(400, U + 4).bluish(); },
                                 [&] { program.click(first_menu, U / 2); }))
            << "the first tool menu opens";
        program.move_pointer(124 + 64 + 29, H - 21);
        ASSERT_TRUE(wait_until_still([&] { return program.capture(0, 0, W, H - 150); }));
        ASSERT_TRUE(wait_until_still([&] { return program.capture(0, H - M, S, M); }));
    }

    bool bare_view() { return program.pixel(W - 40, H / 2 + 60).view(); }

    // One table of every ratio, sample by theme; '*' marks a failing figure,
    // '=' a colour Light keeps as written.
    void print_table(const std::array<std::array<bool, THEME_COUNT>, SAMPLE_COUNT>& passed)
    {
        std::printf("\ncontrast ratios at %d x %d (text 4.5, icon and accent 3, faint 2)\n", W, H);
        std::printf("%-38s", "sample");
        for (const char* theme : THEME_NAMES)
            std::printf(" %9s", theme);
        std::printf("\n");
        for (std::size_t s = 0; s < SAMPLE_COUNT; ++s) {
            std::printf("%-38s", SAMPLES[s].name);
            for (std::size_t t = 0; t < THEME_COUNT; ++t) {
                const bool kept = t == LIGHT && SAMPLES[s].light_colour != 0;
                std::printf(" %8.2f%c", readings[s][t].ratio,
                            !passed[s][t] ? '*'
                            : kept        ? '='
                                          : ' ');
            }
            std::printf("\n");
        }
        std::fflush(stdout);
    }

    // Every reading against its floor, its colour in Light, or the sample
    // beside it; all failures are reported.
    void check_readings()
    {
        std::array<std::array<bool, THEME_COUNT>, SAMPLE_COUNT> passed{};
        for (std::size_t s = 0; s < SAMPLE_COUNT; ++s) {
            const Sample& sample = SAMPLES[s];
            for (std::size_t t = 0; t < THEME_COUNT; ++t) {
                const Reading& reading = readings[s][t];
                bool pass = false;
                if (sample.kind == Kind::BACKING)
                    pass = !near(reading.fill, reading.ink, 2);
                else if (t == LIGHT && sample.light_colour != 0)
                    pass = near(reading.ink, rgb_of(sample.light_colour), 2);
                else
                    pass = reading.ratio >= floor_of(sample.kind);
                if (sample.beside != nullptr)
                    pass = pass &&
                           reading.ratio < readings[index_of(sample_named(sample.beside))][t].ratio;
                passed[s][t] = pass;
                EXPECT_TRUE(pass) << sample.name << " in " << THEME_NAMES[t] << ": "
                                  << reading.ratio << ", ink (" << reading.ink.r << ", "
                                  << reading.ink.g << ", " << reading.ink.b << ") on ("
                                  << reading.fill.r << ", " << reading.fill.g << ", "
                                  << reading.fill.b << ")";
            }
        }
        print_table(passed);
    }

    std::array<std::array<Reading, THEME_COUNT>, SAMPLE_COUNT> readings{};
};

} // namespace

// a.plim, whose details end with a true BLN, a STR and a false BLN; b.plim,
// the parameters example with its camera directives; a folder, plain files
// and executable ones: the navigator shows every kind of row, selected and
// not. The scripts open with profiling data, and both gain an error before
// the parse-check.
TEST_P(ThemesInProgram, TextsAndIconsStandOutOfTheirFillInEveryTheme)
{
    write_file(workspace / "a.plim", A_SCRIPT);
    add_example("parameters.plim", "b.plim");
    fs::create_directory(workspace / "c_folder");
    write_file(workspace / "d_notes.txt", "notes\n");
    write_file(workspace / "g_notes.txt", "more notes\n");
    for (const char* tool : {"e_tool", "f_tool", "h_tool"}) {
        write_file(workspace / tool, "#!/bin/sh\n");
        fs::permissions(workspace / tool, fs::perms::owner_all);
    }
    ASSERT_NO_FATAL_FAILURE(start_sized());
    ASSERT_NO_FATAL_FAILURE(show_frame_rate());
    ASSERT_NO_FATAL_FAILURE(switch_the_profiler_on());
    ASSERT_NO_FATAL_FAILURE(open_navigator(true));

    ASSERT_NO_FATAL_FAILURE(show_entity_rows());
    ASSERT_NO_FATAL_FAILURE(click_script_list(true));
    ASSERT_NO_FATAL_FAILURE(measure_stop(ENTITIES));
    ASSERT_NO_FATAL_FAILURE(click_script_list(false));
    ASSERT_NO_FATAL_FAILURE(show_parameters());
    ASSERT_NO_FATAL_FAILURE(show_a_hint());
    ASSERT_NO_FATAL_FAILURE(measure_stop(PARAMETERS));
    ASSERT_NO_FATAL_FAILURE(open_export_pane());
    ASSERT_NO_FATAL_FAILURE(measure_stop(EXPORT));
    ASSERT_NO_FATAL_FAILURE(empty_the_name());
    ASSERT_NO_FATAL_FAILURE(measure_stop(EMPTY_NAME));
    ASSERT_NO_FATAL_FAILURE(open_location_navigator());
    ASSERT_NO_FATAL_FAILURE(select_navigator_rows());
    ASSERT_NO_FATAL_FAILURE(measure_stop(NAVIGATOR));
    ASSERT_NO_FATAL_FAILURE(open_run_pane());
    ASSERT_NO_FATAL_FAILURE(measure_stop(RUN));
    ASSERT_NO_FATAL_FAILURE(ask_to_assemble());
    ASSERT_NO_FATAL_FAILURE(measure_stop(CONFIRM));
    ASSERT_NO_FATAL_FAILURE(open_profile_pane());
    ASSERT_NO_FATAL_FAILURE(measure_stop(PROFILE));
    ASSERT_NO_FATAL_FAILURE(open_parse_report());
    ASSERT_NO_FATAL_FAILURE(measure_stop(PARSE));
    ASSERT_NO_FATAL_FAILURE(hover_a_tab_beside_the_grip());
    ASSERT_NO_FATAL_FAILURE(measure_stop(TAB_AND_GRIP));
    check_readings();
}

// The colours do not depend on the window's size (a walk at 1200 x 800 reads
// the same figures), so one size keeps the suite's time down.
INSTANTIATE_TEST_SUITE_P(StartSize, ThemesInProgram, ::testing::Values(std::pair{720, 480}),
                         size_name);
