#include "lumo/text.h"

#include <algorithm>

#include "lumo/draw_list.h"
#include "lumo/font.h"

namespace lumo {

T::T()
{
    align_x = kAlignStart;
    align_y = kAlignStart;
}

F::F()
{
    align_x = kAlignStart;
    padding.left = 4;
    padding.right = 4;
}

F::~F() = default;

P* F::set_label(std::string text)
{
    edit_text = text;
    const int size = static_cast<int>(edit_text.size());
    cursor = std::min(cursor, size);
    selection_anchor = std::min(selection_anchor, size);
    selection_start = std::min(selection_start, size);
    selection_end = std::min(selection_end, size);
    return P::set_label(std::move(text));
}

P* F::set_label_field(const std::string& text)
{
    set_label(text);
    move_cursor(static_cast<int>(edit_text.size()), false);
    text_scroll = 0;
    return this;
}

int F::text_left() const
{
    return margin.left + padding.left;
}

int F::visible_text_width() const
{
    return std::max(width - margin.left - margin.right - padding.left - padding.right, 1);
}

// Where the text starts inside the field: aligned while it fits, else
// scrolled so that the cursor shows.
int F::text_origin() const
{
    const int full = text_width(font_or_default(font), edit_text);
    const int room = visible_text_width() - full;
    if (room < 0 || text_scroll > 0) return text_left() - text_scroll;
    if (align_x == kAlignEnd) return text_left() + room;
    if (align_x == kAlignCentre) return text_left() + room / 2;
    return text_left();
}

void F::scroll_text_field_to_cursor()
{
    const FontHandle& font = font_or_default(this->font);
    const int visible_width = visible_text_width();
    const int cursor_x = text_width(font, edit_text.substr(0, static_cast<std::size_t>(cursor)));
    if (cursor_x - text_scroll > visible_width) text_scroll = cursor_x - visible_width;
    if (cursor_x < text_scroll) text_scroll = cursor_x;
    text_scroll = std::max(text_scroll, 0);
}

void F::take_focus()
{
    if (!editable) return;
    if (g_focused_widget != nullptr && g_focused_widget != this) g_focused_widget->drop_focus();
    focused = true;
    g_focused_widget = this;
}

// The gap between characters nearest to the click. Numbers stand at the end
// or the middle of wide fields, and a click in the blank space before them
// means the field, not its first character: typing then appends, as it does
// after a click past the text.
int F::cursor_at_x(int px) const
{
    const FontHandle& font = font_or_default(this->font);
    const int target = px - text_origin();
    if (target < -padding.left) return static_cast<int>(edit_text.size());
    int pen = 0;
    for (std::size_t i = 0; i < edit_text.size(); ++i) {
        const int advance = static_cast<int>(font.widths[static_cast<unsigned char>(edit_text[i])]);
        if (target < pen + advance / 2) return static_cast<int>(i);
        pen += advance;
    }
    return static_cast<int>(edit_text.size());
}

bool F::on_mouse_down(int px, int py, int button)
{
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome != kPressPassed) return outcome == kPressConsumed;
    if (!editable || button != 0) return false;
    take_focus();
    move_cursor(cursor_at_x(px), shift_held(0));
    return true;
}

void F::move_cursor(int position, bool extend)
{
    cursor = std::clamp(position, 0, static_cast<int>(edit_text.size()));
    if (!extend) selection_anchor = cursor;
    selection_start = std::min(selection_anchor, cursor);
    selection_end = std::max(selection_anchor, cursor);
    scroll_text_field_to_cursor();
}

void F::erase_selection()
{
    if (!has_selection()) return;
    edit_text.erase(static_cast<std::size_t>(selection_start),
                    static_cast<std::size_t>(selection_end - selection_start));
    cursor = selection_start;
    selection_anchor = cursor;
    selection_end = cursor;
}

void F::insert_text(const std::string& text)
{
    erase_selection();
    edit_text.insert(static_cast<std::size_t>(cursor), text);
    cursor += static_cast<int>(text.size());
    selection_anchor = cursor;
    selection_start = cursor;
    selection_end = cursor;
}

// The label mirrors the edit text, so callers read what was typed.
void F::edited()
{
    P::set_label(edit_text);
    scroll_text_field_to_cursor();
}

// An edit the application may follow, as it follows any key press.
bool F::typed(int key, int modifiers)
{
    edited();
    if (on_key_down_callback != nullptr) on_key_down_callback(key, modifiers);
    return true;
}

bool F::on_key_down(int key, int modifiers)
{
    if (!focused) return P::on_key_down(key, modifiers);
    if ((modifiers & kModCtrl) != 0) return false; // shortcuts belong to the application
    const bool extend = shift_held(modifiers);
    switch (key) {
    case kKeyEnter:
        if (on_enter) on_enter();
        return true;
    case kKeyEscape:
        if (on_escape) on_escape();
        drop_focus();
        return true;
    case kKeyBackspace:
        if (has_selection()) {
            erase_selection();
        } else if (cursor > 0) {
            edit_text.erase(static_cast<std::size_t>(cursor - 1), 1);
            move_cursor(cursor - 1, false);
        }
        return typed(key, modifiers);
    case kKeyLeft:
        move_cursor(cursor - 1, extend);
        return true;
    case kKeyRight:
        move_cursor(cursor + 1, extend);
        return true;
    case kKeyHome:
        move_cursor(0, extend);
        return true;
    case kKeyEnd:
        move_cursor(static_cast<int>(edit_text.size()), extend);
        return true;
    default:
        break;
    }
    if (key >= 32 && key < 127) {
        insert_text(std::string(1, static_cast<char>(key)));
        return typed(key, modifiers);
    }
    return false;
}

void F::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own, false);
    const FontHandle& font = font_or_default(this->font);
    const int clip =
        list.push_clip(own.x + text_left(), own.y,
                       width - text_left() - margin.right - padding.right + 1, height, own.clip);
    DrawContext inner = own;
    inner.clip = clip;
    const int box_h = height - margin.top - margin.bottom;
    const int text_y = own.y + margin.top + (box_h - font.glyph_height) / 2;
    const int left = own.x + text_origin();
    if (focused && has_selection()) {
        const int x0 =
            text_width(font, edit_text.substr(0, static_cast<std::size_t>(selection_start)));
        const int x1 =
            text_width(font, edit_text.substr(0, static_cast<std::size_t>(selection_end)));
        list.add_rect(left + x0, text_y, x1 - x0, font.glyph_height, 0x663F7FFF, inner);
    }
    list.add_text_line(font, label, left, text_y, widget_text_colour(*this), inner);
    if (label.empty() && !focused && !hint.empty()) {
        const std::uint32_t colour = widget_text_colour(*this);
        const std::uint32_t faded = ((colour >> 25) << 24) | (colour & 0x00FFFFFFu);
        list.add_text_line(font, hint, left, text_y, faded, inner);
    }
    if (focused) {
        const int cx = text_width(font, edit_text.substr(0, static_cast<std::size_t>(cursor)));
        list.add_rect(left + cx, text_y, 1, font.glyph_height, widget_text_colour(*this), inner);
    }
}

} // namespace lumo
