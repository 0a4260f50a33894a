// A click on a list row acts on the row under the pointer, also when the
// list has moved under a pointer that stayed where it was: the navigator's
// rows after the wheel and End, and the camera-directive list after the
// wheel, in the Light and Dark themes at both window sizes. The row under the
// pointer wears the hover highlight after each move of the list, and the
// click does what a click after a one-pixel move does, which every hover
// follows.

#include "tests/app/frame/program_driver.h"

#include <iterator>
#include <string>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

constexpr int DIRECTORIES = 60;
// The workspace lists cameras.plim, dir00 to dir59 and the staging tmp/.
constexpr int ENTRIES = DIRECTORIES + 2;
constexpr int DIRECTIVES = 30;
// Where the pointer rests: 10 pixels into a row, so that each move of the
// list below leaves it inside another row, not on an edge.
constexpr int INTO_ROW = 10;
constexpr int REST_DIRECTORY = 3;
constexpr int REST_DIRECTIVE = 4;

// How the navigator's list moves under the resting pointer, in turn: wheel
// notches towards its end, or with none End.
struct Scroll {
    const char* what;
    int notches;
};
constexpr Scroll SCROLLS[] = {{"two wheel notches", 2}, {"End", 0}};

std::string directory_name(int n)
{
    return (n < 10 ? "dir0" : "dir") + std::to_string(n);
}

std::string entry_name(int entry)
{
    if (entry == 0) return "cameras.plim";
    return entry <= DIRECTORIES ? directory_name(entry - 1) : "tmp/";
}

// Camera directive cN looks at the mesh from a distance of its own, so each
// shows the view differently.
std::string camera_script()
{
    std::string script;
    for (int n = 0; n < DIRECTIVES; ++n)
        script += "#CAM(c" + std::to_string(n) + "){0, 1, " + std::to_string(3 + n / 2.0) +
                  ", 0, 0, 0};\n";
    return script + "return cube + sphere(0.5).tx(2);\n";
}

class StillPointerInProgram : public SizedProgramTest {
protected:
    void make_workspace()
    {
        for (int n = 0; n < DIRECTORIES; ++n)
            fs::create_directory(workspace / directory_name(n));
        write_file(workspace / "cameras.plim", camera_script());
    }

    Image window() { return program.capture(); }

    // Waits until `region` shows something else than `before` and then
    // holds still; what it shows then.
    Image changed(const std::function<Image()>& region, const Image& before)
    {
        eventually([&] { return region().differences(before) > 0; });
        wait_until_still(region);
        return region();
    }

    // Moves the pointer onto `y` from half a row below, so the program hears
    // of a move even when the pointer already lies there.
    void rest_on(int x, int y)
    {
        program.move_pointer(x, y + M / 2);
        program.move_pointer(x, y);
    }

    // Whether the row at `y` wears the hover highlight: a blank spot of it
    // against the same spot of the row `pitch` below, which nothing marks.
    bool highlighted(int x, int y, int pitch)
    {
        return program.pixel(x, y) != program.pixel(x, y + pitch);
    }

    // --- the navigator ---------------------------------------------------

    // Rows M high below its head of M; below them the path buttons and the
    // location of the directory it lists.
    int list_height() const { return H - 2 * (U + M); }
    Image list() { return program.capture(0, M, W, list_height()); }
    Image location() { return program.capture(0, M + list_height(), W, 2 * M + T); }
    int rest_y() const { return M + M * (REST_DIRECTORY + 1) + INTO_ROW; }
    bool rest_row_highlighted() { return highlighted(W / 2 + U, rest_y(), M); }

    // The directory under the resting pointer after `scroll`, as the
    // messages name it: a notch moves the list a twentieth of its overflow,
    // End to its end.
    std::string directory_under(const Scroll& scroll) const
    {
        const int overflow = ENTRIES * M - list_height();
        const int offset = scroll.notches > 0 ? overflow * scroll.notches / 20 : overflow;
        return entry_name((rest_y() - M + offset) / M);
    }

    // Ctrl+O until the navigator covers the window, in any theme.
    void show_navigator()
    {
        program.move_pointer(W / 2, H / 2);
        const Image closed = window();
        ASSERT_TRUE(repeat_until([&] { return window().differences(closed) > W * H / 2; },
                                 [&] { program.key(XK_o, {XK_Control_L}); }))
            << "Ctrl+O opens the navigator";
    }

    void hide_navigator()
    {
        const Image open = window();
        program.key(XK_Escape);
        ASSERT_TRUE(eventually([&] { return window().differences(open) > W * H / 2; }))
            << "Escape closes the navigator";
    }

    void scroll_list(const Scroll& scroll)
    {
        if (scroll.notches == 0) program.key(XK_End);
        for (int i = 0; i < scroll.notches; ++i)
            program.click_here(5);
    }

    // Rests the pointer on the directory and moves the list under it with
    // each scroll in turn; the row under the pointer shows highlighted after
    // each.
    void scroll_under_still_pointer()
    {
        rest_on(W / 2, rest_y());
        for (const Scroll& scroll : SCROLLS) {
            const Image before = list();
            scroll_list(scroll);
            changed([&] { return list(); }, before);
            EXPECT_TRUE(rest_row_highlighted())
                << "after " << scroll.what << " the hover highlight stays on "
                << directory_name(REST_DIRECTORY) << " while " << directory_under(scroll)
                << " lies under the pointer";
        }
    }

    // The same scrolls, then a one-pixel move.
    void scroll_then_move()
    {
        rest_on(W / 2, rest_y());
        const Image before = list();
        for (const Scroll& scroll : SCROLLS)
            scroll_list(scroll);
        // A move before the list shows the scrolls would hover the row that
        // was there.
        changed([&] { return list(); }, before);
        program.move_pointer(W / 2 + 1, rest_y());
        EXPECT_TRUE(eventually([&] { return rest_row_highlighted(); }))
            << "a one-pixel move highlights the row under the pointer";
    }

    // The location a click where the pointer rests leads to; Ctrl+Up then
    // lists the workspace again.
    Image click_and_come_back(const Image& workspace_location)
    {
        program.click_here();
        const Image entered = changed([&] { return location(); }, workspace_location);
        EXPECT_GT(entered.differences(workspace_location), 0) << "the click enters no directory";
        program.key(XK_Up, {XK_Control_L});
        EXPECT_TRUE(eventually([&] { return location().differences(workspace_location) == 0; }))
            << "Ctrl+Up lists the workspace again";
        return entered;
    }

    void check_navigator()
    {
        const Image workspace_location = location();
        scroll_under_still_pointer();
        const Image still = click_and_come_back(workspace_location);
        scroll_then_move();
        const Image moved = click_and_come_back(workspace_location);
        EXPECT_EQ(still.differences(moved), 0)
            << "the click entered " << directory_name(REST_DIRECTORY) << " while "
            << directory_under(SCROLLS[std::size(SCROLLS) - 1]) << " lay under the pointer";
    }

    // --- the camera-directive list ----------------------------------------

    // The column at the window's right edge, between the bars, lists rows M
    // high and G apart above its foot of three half-unit strips.
    int column_height() const { return H - U - 2 * M - 2 * T; }
    int list_area_height() const { return column_height() - 3 * U / 2; }
    int directive_x() const { return W - U; }
    int directive_y() const { return U + M + G + REST_DIRECTIVE * (M + G) + INTO_ROW; }
    Image directives() { return program.capture(W - 2 * U, U + M, 2 * U, list_area_height()); }
    // The 3-D view between the side panel and the column.
    Image view() { return program.capture(S, U + M, W - S - 2 * U, column_height()); }
    // Left of the names, right of the mark of the applied directive.
    bool rest_directive_highlighted()
    {
        return highlighted(W - 2 * U + 3 * G, directive_y(), M + G);
    }

    // The directive under the resting pointer after a notch, as the messages
    // name it: a notch moves the list an eighth of its overflow.
    std::string directive_under() const
    {
        const int overflow = G + DIRECTIVES * (M + G) - list_area_height();
        return "c" + std::to_string((directive_y() - U - M - G + overflow / 8) / (M + G));
    }

    // The camera of the directive the pointer rests on, applied by a click.
    Image apply_rest_directive()
    {
        rest_on(directive_x(), directive_y());
        const Image before = view();
        program.click_here();
        return changed([&] { return view(); }, before);
    }

    // One notch moves the list under the resting pointer, whose row then
    // shows highlighted, and a click without a move shows the camera a click
    // after a one-pixel move shows.
    void check_directives()
    {
        const std::string rested = "c" + std::to_string(REST_DIRECTIVE);
        const Image rested_camera = apply_rest_directive();
        const Image unscrolled = directives();
        program.click_here(5);
        changed([&] { return directives(); }, unscrolled);
        EXPECT_TRUE(rest_directive_highlighted())
            << "after the wheel the hover highlight moves away with " << rested << " while "
            << directive_under() << " lies under the pointer";
        program.click_here();
        const Image still = changed([&] { return view(); }, rested_camera);
        program.move_pointer(directive_x() + 1, directive_y());
        EXPECT_TRUE(eventually([&] { return rest_directive_highlighted(); }))
            << "a one-pixel move highlights the row under the pointer";
        program.click_here();
        const Image moved = changed([&] { return view(); }, rested_camera);
        EXPECT_EQ(still.differences(moved), 0)
            << "after the click the view shows "
            << (still.differences(rested_camera) == 0 ? rested + "'s camera" : "another camera")
            << " while " << directive_under() << " lay under the pointer";
        // Back at the list's top for the next theme, long before it rests
        // on the list again.
        program.click_here(4);
    }
};

} // namespace

TEST_P(StillPointerInProgram, AClickActsOnTheRowUnderTheStillPointer)
{
    make_workspace();
    ASSERT_NO_FATAL_FAILURE(start_sized());
    ASSERT_NO_FATAL_FAILURE(load_directives());
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "Dark" : "Light");
        if (dark) { // Shift+T steps back from Light to Silver, then to Dark
            for (int i = 0; i < 2; ++i)
                program.key(XK_t, {XK_Shift_L});
            ASSERT_TRUE(eventually([&] { return program.pixel(W - 4, H - 4).dark(); }))
                << "Dark darkens the bars";
        }
        ASSERT_NO_FATAL_FAILURE(show_navigator());
        check_navigator();
        ASSERT_NO_FATAL_FAILURE(hide_navigator());
        check_directives();
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, StillPointerInProgram, kWindowSizes, size_name);
