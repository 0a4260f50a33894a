// Text field editing: typing, cursor keys, selection, focus, the Enter,
// Escape and key callbacks, and the hint.

#include "lumo/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "lumo/draw_list.h"
#include "lumo_test_support.h"

namespace lumo {
namespace {

std::vector<std::string> g_events;

void log_event(const char* name)
{
    g_events.push_back(name + std::string(" focused=") +
                       std::to_string(g_focused_widget != nullptr));
}

struct Field : ::testing::Test {
    F field;
    void SetUp() override
    {
        g_events.clear();
        place(field, 0, 0, 120, 24);
        field.on_enter = [] { log_event("enter"); };
        field.on_escape = [] { log_event("escape"); };
        field.take_focus();
    }
    void TearDown() override { field.drop_focus(); }
    void type(const std::string& text)
    {
        for (char c : text)
            field.on_key_down(static_cast<unsigned char>(c), 0);
    }
    void keys(std::initializer_list<int> codes, int modifiers = 0)
    {
        for (int code : codes)
            field.on_key_down(code, modifiers);
    }
};

TEST_F(Field, TypingInsertsAtTheCursorMirrorsIntoTheLabelAndScrollsToTheCursor)
{
    type("12.5");
    EXPECT_EQ(std::tuple(field.edit_text, field.label, field.cursor),
              std::tuple("12.5", "12.5", 4));
    keys({kKeyLeft, kKeyLeft});
    type("0");
    EXPECT_EQ(field.label, "120.5");
    keys({kKeyBackspace, kKeyBackspace});
    EXPECT_EQ(std::tuple(field.label, field.cursor), std::tuple("1.5", 1));
    keys({kKeyHome, kKeyBackspace}); // nothing left of the cursor
    EXPECT_EQ(field.label, "1.5");
    EXPECT_EQ(field.label_width, text_width(g_font_handles[field.font], "1.5"));
    type(std::string(40, 'W'));
    EXPECT_GT(field.text_scroll, 0);
    keys({kKeyHome});
    EXPECT_EQ(field.text_scroll, 0);
}

TEST_F(Field, HomeEndAndShiftSelectionReplaceTheSelectedText)
{
    type("abcdef");
    keys({kKeyHome});
    EXPECT_EQ(field.cursor, 0);
    keys({kKeyRight, kKeyRight}, kModShift);
    EXPECT_EQ(std::pair(field.selection_start, field.selection_end), std::pair(0, 2));
    type("X");
    EXPECT_EQ(field.label, "Xcdef");
    keys({kKeyEnd}, kModShift);
    EXPECT_EQ(std::pair(field.selection_start, field.selection_end), std::pair(1, 5));
    keys({kKeyBackspace});
    EXPECT_EQ(field.label, "X");
    // The held-key counter counts as Shift too.
    keys({kKeyHome});
    g_held_key_counts[1] = 1;
    keys({kKeyEnd});
    g_held_key_counts[1] = 0;
    EXPECT_TRUE(field.has_selection());
    keys({kKeyLeft});
    EXPECT_FALSE(field.has_selection());
    keys({kKeyLeft, kKeyLeft}); // cursor keys stop at both ends
    EXPECT_EQ(field.cursor, 0);
}

TEST_F(Field, APressPlacesTheCursorAndEnterKeepsTheFocusButEscapeDropsIt)
{
    type("hello");
    field.on_mouse_down(field.padding.left + 1, 5, 0);
    EXPECT_EQ(field.cursor, 0);
    F readonly;
    readonly.editable = false;
    EXPECT_FALSE(place(readonly, 0, 0, 50, 20).on_mouse_down(3, 3, 0));
    EXPECT_EQ(g_focused_widget, &field);

    keys({kKeyEnter});
    EXPECT_TRUE(field.focused);
    keys({kKeyEscape});
    EXPECT_EQ(std::tuple(field.focused, g_focused_widget), std::tuple(false, nullptr));
    EXPECT_EQ(g_events, (std::vector<std::string>{"enter focused=1", "escape focused=1"}));
    EXPECT_FALSE(field.on_key_down('a', 0)); // without the focus
}

// Keys that change the text tell the key-down callback, after the change;
// keys that only move the cursor do not.
TEST_F(Field, AKeyThatChangesTheTextRunsTheKeyCallbackAfterTheChange)
{
    static std::vector<std::string> seen;
    seen.clear();
    field.on_key_down_callback = [](int key, int) {
        seen.push_back(std::to_string(key) + ":" + static_cast<F*>(g_focused_widget)->label);
        return true;
    };
    type("ab");
    keys({kKeyLeft, kKeyHome, kKeyEnd, kKeyBackspace});
    EXPECT_EQ(seen, (std::vector<std::string>{"97:a", "98:ab", "8:a"}));
}

// The hint shows, faded, only while the field is empty and not focused.
TEST_F(Field, TheHintShowsFadedWhileTheFieldIsEmptyAndUnfocused)
{
    field.hint = "abc";
    const auto hint_glyphs = [&] {
        DrawList list;
        field.draw(list, DrawContext{});
        const std::uint32_t faded = (widget_text_colour(field) >> 25) << 24 |
                                    (widget_text_colour(field) & 0x00FFFFFFu);
        return std::count_if(list.quads.begin(), list.quads.end(), [&](const DrawQuad& quad) {
            return quad.texture != DrawTexture::kNone && quad.colours[0] == faded;
        });
    };
    EXPECT_EQ(hint_glyphs(), 0) << "focused";
    field.drop_focus();
    EXPECT_EQ(hint_glyphs(), 3);
    field.set_label_field("x");
    EXPECT_EQ(hint_glyphs(), 0) << "with a text";
}

// A click in a field inside a scrolled row: on the text the cursor takes the
// nearest gap; beside the text (wide fields align numbers to the end) it goes
// to the end, so typing appends instead of prepending.
TEST(FieldClick, TheCursorGoesWhereTheClickLandsAndToTheEndBesideTheText)
{
    struct Case {
        std::uint8_t align;
        const char* text;
        int from_text_end; // pixels right of the drawn text's end
        int cursor;
    };
    const Case cases[] = {
        {kAlignEnd, "96", 1, 2},    {kAlignEnd, "96", -90, 2},    {kAlignEnd, "1234", -1, 4},
        {kAlignStart, "96", 30, 2}, {kAlignCentre, "96", -60, 2}, {kAlignCentre, "96", 5, 2},
    };
    for (const Case& c : cases) {
        UI root;
        KL row;
        F field;
        place(root, 0, 0, 400, 300);
        place(row, 10, 40, 240, 72).content_offset_y = -8;
        place(field, 48, 24, 192, 24).align_x = c.align;
        field.set_label(c.text);
        row.add_child(&field);
        root.add_child(&row);
        const int room = field.width - field.padding.left - field.padding.right - field.label_width;
        const int shift = c.align == kAlignEnd ? room : c.align == kAlignCentre ? room / 2 : 0;
        const int x = 10 + 48 + field.padding.left + shift + field.label_width + c.from_text_end;
        const int y = 40 - 8 + 24 + 12;
        root.dispatch_mouse_down(x, y, 0);
        root.dispatch_mouse_up(x, y, 0);
        root.dispatch_click(x, y);
        EXPECT_EQ(std::tuple(g_focused_widget, field.cursor), std::tuple(&field, c.cursor))
            << c.text << " align " << int(c.align) << " at " << c.from_text_end;
        field.drop_focus();
        clear_pointer_globals();
    }
}

TEST(WrapText, BreaksAtBlanksToFitAndKeepsLineBreaksAndLongWords)
{
    const FontHandle& font = g_font_handles[kFontSmall];
    const std::string sentence = "the kernel caused a critical runtime error to occur";
    const int width = text_width(font, "the kernel caused a");
    const std::string wrapped = wrap_text(font, sentence + "\n\nNote: kept", width);
    for (const int line_width : measure_text(font, wrapped).line_widths)
        EXPECT_LE(line_width, width) << wrapped;
    std::string joined = wrapped;
    std::replace(joined.begin(), joined.end(), '\n', ' ');
    EXPECT_EQ(joined, sentence + "  Note: kept") << "only blanks became line breaks";
    EXPECT_NE(wrapped.find("\n\nNote: kept"), std::string::npos) << "the paragraph break stays";

    EXPECT_EQ(wrap_text(font, "unbreakable_word_wider_than_the_line", 10),
              "unbreakable_word_wider_than_the_line");
    EXPECT_EQ(wrap_text(font, sentence, 0), sentence) << "no width, no change";
}

// A report's indented lines keep their leading blanks; a line that breaks
// goes on at its next word.
TEST(WrapText, KeepsTheLeadingBlanksOfIndentedLines)
{
    const FontHandle& font = g_font_handles[kFontSmall];
    const std::string vertex = "     V[0,1,2] C[1,0,0,1]";
    struct Case {
        std::string text;
        int width;
        std::string wrapped;
    };
    const Case cases[] = {
        {vertex, 1000, vertex},
        {"Triangle: 3\n" + vertex, 1000, "Triangle: 3\n" + vertex},
        {vertex, text_width(font, "     V[0,1,2] C"), "     V[0,1,2]\nC[1,0,0,1]"},
        {"  ", 1000, "  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrap_text(font, c.text, c.width), c.wrapped) << c.text;
}

} // namespace
} // namespace lumo
