#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lumo/fill_style.h"

namespace lumo {

class DrawList;
class P;

// Callbacks are plain functions without context; a callback of a repeated
// row finds its widget through the globals below.
using ClickFn = bool (*)();
using PointerFn = bool (*)(int x, int y, int button); // widget coordinates
using WheelFn = bool (*)(int x, int y, int steps);
using KeyFn = bool (*)(int key, int modifiers);
using LayoutFn = void (*)(int width, int height);
using ActionFn = void (*)();
using ValueFn = void (*)(double value);
using AuxFn = bool (*)(int code, int a, int b);

// Text alignment bytes.
enum Align : std::uint8_t { kAlignCentre = 0, kAlignEnd = 1, kAlignStart = 255 };

// Key codes and modifier bits shared with the platform layer.
enum Key : int {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyEscape = 27,
    kKeyLeft = 500,
    kKeyUp = 501,
    kKeyRight = 502,
    kKeyDown = 503,
    kKeyHome = 520,
    kKeyEnd = 521,
    kKeyPageDown = 522,
    kKeyPageUp = 523,
    kKeyAlt = 510,
    kKeyShift = 511,
    kKeyCtrl = 512,
};
enum Modifier : int { kModAlt = 2, kModShift = 4, kModCtrl = 8 };

// A text or shape colour of 0 (nothing would show) means none was given:
// such texts and icons take the theme's text colour below.
constexpr std::uint32_t kThemeColour = 0;

// The text colour of the theme in use, as RGBA doubles. Whoever applies a
// theme writes it; until then it is a dark grey for light panels.
extern double g_theme_text_colour[4];

// Auxiliary event codes of dispatch_aux_event.
enum AuxEvent : int { kAuxResize = 0 };

// Widget state shared by the whole tree. A destroyed widget clears every one
// of these that points at it, because rows are destroyed and rebuilt while
// the pointer rests on them.
extern P* g_focused_widget;
extern P* g_drag_widget;
extern P* g_hovered_widget;
extern P* g_tooltip_widget;
extern int g_active_widget_id; // pointer capture, -1 none
// Held Alt, Shift and Ctrl keys (codes 510, 511, 512).
extern std::uint32_t g_held_key_counts[3];

struct Border {
    int width = 0;
    const FillStyle* style = nullptr;
    std::uint32_t colour = 0; // ARGB, used when there is no style
};

struct Insets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a widget sits on screen while it is drawn: accumulated origin,
// opacity and depth of its ancestors, and the clip rectangle.
struct DrawContext {
    int x = 0;
    int y = 0;
    double opacity = 1.0;
    double depth = 0.0;
    int clip = -1; // index into the draw list's clip rectangles, -1 none
};

// One step of a hit path: a widget and its origin in root coordinates.
struct HitStep {
    P* widget = nullptr;
    int origin_x = 0;
    int origin_y = 0;
};

// Images the application renders for the toolkit to show in widgets.
enum class WidgetImage : std::uint8_t { kNone, kThumbnails, kCapture };

// Keeps the widget it is part of in the registry of live widgets for as long
// as the widget lives. Copying a widget enters the copy too, because rows
// held by value in vectors are copied as the vectors grow; assignment leaves
// both widgets where they are.
class LiveEntry {
protected:
    LiveEntry();
    LiveEntry(const LiveEntry& other);
    LiveEntry& operator=(const LiveEntry& other) = default;
    ~LiveEntry();
};

// The base widget: a rectangle relative to its parent with a label, an
// icon, borders and fills, state flags and callbacks. Leaf widgets are P,
// containers derive from KL.
class P : private LiveEntry {
    friend std::vector<P*> live_widgets();

public:
    P();
    virtual ~P();

    int id; // from the widget counter; lists may renumber it
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    std::string label;
    int font = 0; // index into g_font_handles
    std::uint8_t align_x = kAlignCentre;
    std::uint8_t align_y = kAlignCentre;
    Insets padding;
    Insets margin;
    Border border_left;
    Border border_top;
    Border border_right;
    Border border_bottom;

    bool fill = false;
    const FillStyle* fill_style = nullptr;
    const FillStyle* hover_style = nullptr;
    const FillStyle* selected_style = nullptr;
    std::uint32_t background_colour = 0; // ARGB, alpha 0 draws nothing
    std::uint32_t hover_colour = 0;
    std::uint32_t text_colour = kThemeColour;
    // The icon tint; a widget without an icon whose shape colour is given
    // draws it as a backing under its text.
    std::uint32_t shape_colour = kThemeColour;
    const double* text_colour_override = nullptr; // RGBA doubles, wins over text_colour
                                                  // and shape_colour
    // The override's form that reads on the highlight: a selected or hovered
    // widget given one takes it instead.
    const double* highlight_colour_override = nullptr;

    int icon = -1; // atlas slot, -1 none
    // An image over the widget's box (under its icon and label): a region of
    // the thumbnail atlas or of the captured image, as texture coordinates
    // u0, v0 of the top-left and u1, v1 of the bottom-right corner.
    WidgetImage image = WidgetImage::kNone;
    std::array<float, 4> image_uv{0.0f, 0.0f, 1.0f, 1.0f};
    bool icon_flip_x = false;
    double icon_scale = 1.0;

    double opacity = 1.0;      // multiplied down the tree
    double depth_offset = 0.0; // siblings with more depth lie on top

    bool enabled = true;
    bool visible = true;
    bool hovered = false;
    bool selected = false;
    bool focused = false;
    int row_id = -1;

    const std::string* hint_title = nullptr;
    const std::string* hint_text = nullptr;
    int hint_icon = -1;

    // Measured label: widths of its lines and the byte where each starts,
    // widest line, total height.
    std::vector<int> line_widths;
    std::vector<std::size_t> line_starts;
    int label_width = 0;
    int label_height = 0;

    // Callbacks; those returning bool report whether they consumed the event,
    // an unconsumed event goes on to the parent.
    ClickFn on_click = nullptr;
    PointerFn on_press = nullptr;
    PointerFn on_release = nullptr;
    PointerFn on_move = nullptr;
    PointerFn on_drag_callback = nullptr;
    WheelFn on_wheel_callback = nullptr;
    KeyFn on_key_down_callback = nullptr;
    KeyFn on_key_up_callback = nullptr;
    LayoutFn on_layout = nullptr;  // (width, height) at every layout pass
    ActionFn on_refresh = nullptr; // the change callback, run by refresh
    AuxFn on_aux = nullptr;        // auxiliary events such as the resize

    // Texts.
    virtual void set_text_lines(const std::vector<std::string>& lines, int count);
    virtual P* set_label(std::string text);
    virtual P* set_label_field(const std::string& text);
    virtual void set_text_list(const std::vector<std::string>& lines);
    virtual void measure_label();
    virtual void scroll_text_field_to_cursor();

    // State.
    virtual void drop_focus();
    virtual void refresh();
    virtual void set_layout_callback(LayoutFn callback);

    // Layout, hit testing and painting.
    virtual void layout();
    // Appends this widget and its deepest hit descendants to the path; the
    // point and the parent's origin are in root coordinates. False on a miss.
    virtual bool hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path);
    virtual void draw(DrawList& list, const DrawContext& context);

    // Handlers, in the widget's own coordinates; true consumes the event.
    virtual bool on_mouse_down(int px, int py, int button);
    virtual bool on_mouse_up(int px, int py, int button);
    virtual bool on_drag(int px, int py, int button);
    virtual bool on_wheel(int px, int py, int steps);
    virtual bool on_key_down(int key, int modifiers);
    virtual bool on_key_up(int key, int modifiers);

    // Routing into this widget's subtree, in this widget's parent coordinates.
    virtual bool dispatch_mouse_down(int px, int py, int button);
    virtual bool dispatch_mouse_up(int px, int py, int button);
    virtual bool dispatch_click(int px, int py);
    virtual bool dispatch_mouse_move(int px, int py);
    virtual bool dispatch_drag(int px, int py, int button);
    virtual bool dispatch_wheel(int px, int py, int steps);
    virtual bool dispatch_key_down(int key, int modifiers);
    virtual bool dispatch_key_up(int key, int modifiers);
    virtual bool dispatch_aux_event(int code, int a, int b);

    bool contains(int px, int py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    bool has_hover_style() const { return hover_style != nullptr || (hover_colour >> 24) != 0; }
    bool has_hint() const
    {
        return hint_title != nullptr || hint_text != nullptr || hint_icon >= 0;
    }

protected:
    // Runs the press callback. kGone: the callback destroyed widgets (perhaps
    // this one), so the handler must return at once without touching itself.
    enum PressOutcome { kPressConsumed, kPressPassed, kPressGone };
    PressOutcome run_press_callback(int px, int py, int button);
    // The context of this widget inside its parent's context.
    DrawContext child_context(const DrawContext& parent) const;
    // False for hidden, disabled or fully transparent widgets.
    bool takes_pointer() const { return visible && enabled && opacity > 0.0; }
};

// Every widget alive now, wherever it is held and whether or not it is in a
// tree, in no particular order.
std::vector<P*> live_widgets();

// Works the hover out again for a pointer resting at (px, py), in root
// coordinates: the hovered flag, g_hovered_widget and g_tooltip_widget
// become what a move there would make them, on the tree as laid out now,
// but no move callback runs. Rows that scrolled or were rebuilt under a
// still pointer need it. True when the hovered or the hint widget changed.
bool settle_hover(P& root, int px, int py);

// Shift is held, by the event's modifier bits or by the held-key counters.
bool shift_held(int modifiers);

} // namespace lumo
