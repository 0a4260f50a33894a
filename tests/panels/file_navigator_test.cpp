// The directory listing parser and the file navigator on canned listings.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "state/application.h"
#include "lumo/draw_list.h"
#include "panels/dir_listing.h"
#include "panels/file_navigator.h"
#include "panels/navigator_openers.h"
#include "platform/kernel_config.h"
#include "platform/text.h"
#include "tests/platform/trace_capture.h"

namespace {

// Two header lines and "." / ".." first, as every listing has them.
const char* const k_listing = " Volume in drive C\r\n Directory of C:\\work\r\n\r\n"
                              "25/02/2024  14:30    <DIR>          .\r\n"
                              "25/02/2024  14:30    <DIR>          ..\r\n"
                              "24/02/2024  09:15    <DIR>          tools\r\n"
                              "26/02/2024  14:30         1,234,567 my  file.plim\r\n"
                              "25/02/2024  08:00               300 Demo.PLIM\r\n"
                              "25/02/2024  08:00                12 notes.txt\r\n"
                              "25/02/2024  08:00             2,000 PLIM.exe\r\n"
                              "25/02/2024  08:00             2,000 PLIM.EXE\r\n"
                              "25/02/2024  08:00                 x\r\n"
                              "25/02/2024  08:00   9x9 odd.plim\r\n";

TEST(DirListing, ParsesColumnsSizesAndNames)
{
    const TextList lines = split_text(parse_dir_listing(k_listing), '\n');
    const TextList expected = {"drw-rw-rw- 0 K K 0 2024-02-24 09:15 tools",
                               "-rw-rw-rw- 0 K K 1234567 2024-02-26 14:30 my  file.plim",
                               "-rw-rw-rw- 0 K K 300 2024-02-25 08:00 Demo.PLIM",
                               "-rw-rw-rw- 0 K K 12 2024-02-25 08:00 notes.txt",
                               "-rwxrwxrwx 0 K K 2000 2024-02-25 08:00 PLIM.exe",
                               "-rw-rw-rw- 0 K K 2000 2024-02-25 08:00 PLIM.EXE",
                               "-rw-rw-rw- 0 K K x 2024-02-25 08:00 ",
                               "-rw-rw-rw- 0 K K 9x9 2024-02-25 08:00 odd.plim"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(parse_dir_listing(""), "");
    // A 21-character entry line has a rest of one character.
    EXPECT_EQ(
        parse_dir_listing("aaaaaaaaaaaaaaaaaaaaa\nbbbbbbbbbbbbbbbbbbbbb\n01/02/2003  04:05   7"),
        "-rw-rw-rw- 0 K K 7 2003-02-01 04:05 \n");
}

TEST(DirListing, EntriesKeepTheirNamesAndSizesAndTheModeChoosesThem)
{
    const std::string parsed = parse_dir_listing(k_listing);
    struct Case {
        std::int32_t mode;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {NAVIGATOR_KERNEL, {"tools/", "PLIM.exe"}},
        {NAVIGATOR_OPEN_SCRIPTS, {"tools/", "my  file.plim", "Demo.PLIM", "odd.plim"}},
        {NAVIGATOR_WORKSPACE,
         {"tools/", "my  file.plim", "Demo.PLIM", "notes.txt", "PLIM.exe", "PLIM.EXE", "odd.plim"}},
        {7, {}}};
    for (const Case& c : cases) {
        FileNavigator navigator;
        navigator.mode = c.mode;
        fill_navigator_entries(navigator, parsed);
        std::vector<std::string> names;
        for (const NavigatorEntry& entry : navigator.entries)
            names.push_back(entry.name);
        EXPECT_EQ(names, c.names) << "mode " << c.mode;
    }
    FileNavigator navigator;
    fill_navigator_entries(navigator, parsed);
    EXPECT_EQ(navigator.entries[0].size_text, "0 bytes");
    EXPECT_EQ(navigator.entries[1].size, 1234567);
    EXPECT_EQ(navigator.entries[1].size_text, "1,234,567 bytes");
    EXPECT_EQ(navigator.entries[2].type, ENTRY_SCRIPT);
    EXPECT_EQ(navigator.entries[3].size, 0); // "9x9" is no number
    EXPECT_EQ(parse_size_text("99999999999999999999"), 0);
    EXPECT_EQ(parse_size_text("5000000000"), 5000000000);
}

// A navigator over a canned listing; every row is 32 high, the list shows 3.
class NavigatorTest : public testing::Test {
protected:
    static std::string canned(const std::string&) { return s_listing; }
    void SetUp() override
    {
        app = std::make_unique<Application>();
        g_app = app.get();
        app->navigator.listing_producer = canned;
        app->navigator.executable_test = nullptr;
        app->navigator.list_viewport = 96;
        set_kernel_path("");
        set_workspace_path("");
    }
    void TearDown() override { g_app = nullptr; }
    void list(const std::vector<std::pair<std::string, std::string>>& files, std::int32_t mode)
    {
        s_listing =
            "01/01/2024  00:00    <DIR>          .\n01/01/2024  00:00    <DIR>          ..\n";
        for (const auto& [name, size] : files)
            s_listing += "01/01/2024  00:00   " + size + " " + name + "\n";
        app->navigator.mode = mode;
        list_directory(*app, "/w/");
    }
    std::vector<std::int32_t> selected_rows() const
    {
        std::vector<std::int32_t> rows;
        for (std::size_t r = 0; r < app->navigator_rows.rows.size(); ++r)
            if (app->navigator_rows.rows[r]->selected) rows.push_back(static_cast<std::int32_t>(r));
        return rows;
    }
    std::vector<std::string> row_names() const
    {
        std::vector<std::string> names;
        for (const auto& cell : app->navigator_rows.cells[1])
            names.push_back(cell->label);
        return names;
    }
    static inline std::string s_listing;
    std::unique_ptr<Application> app;
};

TEST_F(NavigatorTest, SortingFlipsOnTheSameKeyAndKeepsTiesInOrder)
{
    list({{"b.plim", "20"}, {"a.plim", "10"}, {"c.plim", "20"}, {"d", "<DIR>"}},
         NAVIGATOR_OPEN_SCRIPTS);
    EXPECT_EQ(row_names(), (std::vector<std::string>{"a.plim", "b.plim", "c.plim", "d/"}));
    TraceCapture trace;
    sort_navigator_entries(*app, NAVIGATOR_SORT_NAME);
    EXPECT_EQ(row_names(), (std::vector<std::string>{"d/", "c.plim", "b.plim", "a.plim"}));
    sort_navigator_entries(*app, NAVIGATOR_SORT_SIZE); // stays descending
    EXPECT_EQ(row_names(), (std::vector<std::string>{"c.plim", "b.plim", "a.plim", "d/"}));
    sort_navigator_entries(*app, NAVIGATOR_SORT_TYPE);
    EXPECT_EQ(row_names(), (std::vector<std::string>{"c.plim", "b.plim", "a.plim", "d/"}));
    EXPECT_EQ(trace.text(),
              "SORTING-FILES-BY:NAME\nSORTING-FILES-BY:SIZE\nSORTING-FILES-BY:TYPE\n");
    EXPECT_EQ(app->navigator_rows.cells[0][3]->label, "DIR");
}

TEST_F(NavigatorTest, CursorStaysOnOneRowAndScrollsItIntoView)
{
    list({{"a.plim", "1"}, {"b.plim", "1"}, {"c.plim", "1"}, {"d.plim", "1"}, {"e.plim", "1"}},
         NAVIGATOR_OPEN_SCRIPTS);
    const auto step = [&](void (*move)(Application&), std::vector<std::int32_t> rows) {
        move(*app);
        EXPECT_EQ(selected_rows(), rows);
    };
    step(navigator_cursor_up, {0}); // nothing selected: the first row
    step(navigator_cursor_up, {0});
    step(navigator_cursor_last, {4});
    EXPECT_DOUBLE_EQ(app->navigator.list_scroll, 1.0);
    step(navigator_cursor_down, {4});
    navigator_open_entry(*app, 1);
    navigator_open_entry(*app, 2);
    step(navigator_cursor_down, {1}); // three selected: keep the first, do not move
    EXPECT_EQ(app->navigator.selection_count, 1);
    step(navigator_page_down, {4}); // three rows fit
    step(navigator_cursor_first, {0});
    EXPECT_DOUBLE_EQ(app->navigator.list_scroll, 0.0);
    app->navigator.list_viewport = 20; // shorter than a row: no page
    step(navigator_page_down, {0});
    step(navigator_select_none, {});
}

TEST_F(NavigatorTest, RowsEnterDirectoriesAndToggleFiles)
{
    const FillStyle highlight({0.7, 0.8, 0.9, 1.0}, 0);
    app->navigator_rows.row_fill = &highlight;
    app->meaning_colours_on_highlight.normal = {0.0, 0.0, 0.5, 1.0};
    list({{"sub", "<DIR>"}, {"a.plim", "1"}, {"b.plim", "1"}}, NAVIGATOR_OPEN_SCRIPTS);
    EXPECT_EQ(app->navigator.path_components, (std::vector<std::string>{"/", "w/"}));
    EXPECT_EQ(app->navigator.location_text, "Location \t w/");
    navigator_select_all_files(*app);
    EXPECT_EQ(selected_rows(), (std::vector<std::int32_t>{0, 1}));
    // Selected rows are painted in the highlight, the others are not.
    for (const auto& row : app->navigator_rows.rows) {
        row->width = 400; // the list layout sizes rows; here they are drawn alone
        row->height = 32;
        lumo::DrawList painted;
        row->draw(painted, lumo::DrawContext{});
        const bool filled =
            std::any_of(painted.quads.begin(), painted.quads.end(), [](const lumo::DrawQuad& q) {
                return q.texture == lumo::DrawTexture::kNone;
            });
        EXPECT_EQ(filled, row->selected) << row->row_id;
        // The cells' texts take the colours that read on the highlight.
        const auto& name = app->navigator_rows.cells[1][static_cast<std::size_t>(row->row_id)];
        EXPECT_EQ(lumo::widget_text_colour(*name), row->selected ? 0xFF000080u : 0xFF464646u);
    }
    navigator_open_entry(*app, 1);
    EXPECT_EQ(app->navigator.selection_count, 1);
    navigator_open_entry(*app, 2);
    EXPECT_EQ(app->navigator.directory, "/w/sub/");
    EXPECT_EQ(app->navigator.path_text, "\n/w/sub/");
    navigator_go_parent(*app);
    EXPECT_EQ(app->navigator.directory, "/w/");
    navigator_go_to_component(*app, 0);
    navigator_go_parent(*app); // a single component has no parent
    EXPECT_EQ(app->navigator.directory, "/");
}

TEST_F(NavigatorTest, OkActsByModeOrWarns)
{
    struct Case {
        std::int32_t mode;
        std::vector<std::int32_t> rows_to_select;
        std::string warning; // empty: the choice is taken
    };
    const Case cases[] = {
        {NAVIGATOR_OPEN_SCRIPTS, {}, "Warning: Nothing to Open"},
        {NAVIGATOR_OPEN_SCRIPTS, {1}, ""},
        {NAVIGATOR_WORKSPACE, {1}, "Warning: Invalid Entity Workspace"},
        {NAVIGATOR_WORKSPACE, {}, ""},
        {NAVIGATOR_EXPORT_LOCATION, {1}, "Warning: Invalid Export Location"},
        {NAVIGATOR_EXPORT_LOCATION, {}, ""},
        {NAVIGATOR_KERNEL, {}, "Warning: Invalid Kernel Executable"},
        {NAVIGATOR_KERNEL, {1}, "Warning: Invalid Kernel Executable"}, // PLIM.exe
        {NAVIGATOR_KERNEL, {2}, ""},                                   // plim.exe
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.rows_to_select.size());
        SetUp();
        list({{"d", "<DIR>"}, {"PLIM.exe", "1"}, {"plim.exe", "1"}, {"s.plim", "1"}}, c.mode);
        for (std::int32_t row : c.rows_to_select)
            navigator_open_entry(*app, row);
        show_file_navigator(*app, true);
        confirm_navigator_selection(*app);
        EXPECT_EQ(app->message_panes.warning.title, c.warning);
        EXPECT_EQ(app->modal[MODAL_NAVIGATOR], c.warning.empty() ? 0 : 1);
    }
    EXPECT_EQ(get_kernel_path(), "/w/plim.exe");
    EXPECT_EQ(app->configuration.kernel_state, "INVALID");
}

// OK closes the navigator back to what it was opened from: the export pane
// for a location, the configuration pane for a setting before start-up.
TEST_F(NavigatorTest, OkReturnsToThePaneTheChoiceWasMadeFor)
{
    lumo::P configuration;
    for (const std::int32_t mode : {NAVIGATOR_EXPORT_LOCATION, NAVIGATOR_WORKSPACE}) {
        SCOPED_TRACE(mode);
        SetUp();
        app->configuration_pane = &configuration;
        configuration.visible = false;
        app->modal[MODAL_EXPORT] = mode == NAVIGATOR_EXPORT_LOCATION ? 1 : 0;
        app->startup_finished = mode == NAVIGATOR_EXPORT_LOCATION ? 1 : 0;
        list({{"s.plim", "1"}}, mode);
        show_file_navigator(*app, true);
        confirm_navigator_selection(*app);
        EXPECT_EQ(app->modal[MODAL_NAVIGATOR], 0);
        EXPECT_EQ(app->mask_pane.visible, mode == NAVIGATOR_EXPORT_LOCATION);
        EXPECT_EQ(configuration.visible, mode == NAVIGATOR_WORKSPACE);
        if (mode == NAVIGATOR_EXPORT_LOCATION) {
            EXPECT_EQ(app->modal[MODAL_EXPORT], 1);
            EXPECT_EQ(app->view_settings.export_location, "/w/");
        }
    }
}

TEST_F(NavigatorTest, OkOnOneSelectedDirectoryEntersIt)
{
    list({{"d", "<DIR>"}, {"s.plim", "1"}}, NAVIGATOR_WORKSPACE);
    app->navigator.selected[0] = 1;
    app->navigator.selection_count = 1;
    confirm_navigator_selection(*app);
    EXPECT_EQ(app->navigator.directory, "/w/d/");
    EXPECT_EQ(app->configuration.workspace_path, "???");
}

TEST_F(NavigatorTest, ScrollTrackMapsItsEndsToTheFractionsEnds)
{
    app->navigator.list_viewport = 320;
    const std::pair<int, double> cases[] = {
        {0, 0.0}, {16, 0.0}, {160, 0.5}, {304, 1.0}, {320, 1.0}};
    for (const auto& [y, fraction] : cases) {
        navigator_scroll_track_moved(0, y, 0);
        EXPECT_DOUBLE_EQ(app->navigator.list_scroll, fraction) << y;
    }
    EXPECT_FALSE(navigator_scroll_track_moved(0, 400, 0));
}

} // namespace

TEST_F(NavigatorTest, OpeningScriptsStartsInTheWorkspaceThenReturnsToTheLastDirectory)
{
    const std::string workspace = testing::TempDir();
    set_workspace_path(workspace);
    const std::string staged = get_workspace_path();
    ASSERT_FALSE(staged.empty());
    show_open_script_navigator(*app);
    EXPECT_EQ(app->navigator.directory, staged);
    list_directory(*app, "/w/");
    show_file_navigator(*app, false);
    show_open_script_navigator(*app);
    EXPECT_EQ(app->navigator.directory, "/w/");
}
