#pragma once

#include <string>

#include "lumo/widget.h"

namespace lumo {

// A text widget: a label whose lines start at the top left by default.
class T : public P {
public:
    T();
};

// A single-line text field. The label shows the edit text; the cursor and
// the selection are byte positions in it. Enter runs the Enter callback and
// keeps the focus; Escape runs the Esc callback, then drops the focus. A key
// that changed the text runs the key-down callback after the change. While
// the field is empty and not focused it shows its hint, faded.
class F : public P {
public:
    F();
    ~F() override;

    std::string edit_text;
    int cursor = 0;
    // The fixed end of a Shift selection and the ordered range it spans.
    int selection_anchor = 0;
    int selection_start = 0;
    int selection_end = 0;
    bool editable = true; // a field that cannot be typed into never takes the focus
    int text_scroll = 0;  // pixels the text is shifted left to show the cursor

    ActionFn on_enter = nullptr;
    ActionFn on_escape = nullptr;
    std::string hint;

    P* set_label(std::string text) override;
    P* set_label_field(const std::string& text) override;
    void scroll_text_field_to_cursor() override;
    void draw(DrawList& list, const DrawContext& context) override;
    bool on_mouse_down(int px, int py, int button) override;
    bool on_key_down(int key, int modifiers) override;

    bool has_selection() const { return selection_start != selection_end; }
    void take_focus();

private:
    void move_cursor(int position, bool extend);
    void insert_text(const std::string& text);
    void erase_selection();
    void edited();
    bool typed(int key, int modifiers);
    int cursor_at_x(int px) const;
    int text_left() const;
    int visible_text_width() const;
    int text_origin() const;
};

} // namespace lumo
