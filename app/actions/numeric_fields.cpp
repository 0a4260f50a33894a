#include "app/actions/numeric_fields.h"

#include "shell/state_setters.h"

#include <array>
#include <cmath>

#include "state/application.h"
#include "platform/number_text.h"
#include "platform/text.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

constexpr int FIRST_PERSON_SET = 2;

// The range of a slider-bar field and the texts shown when a typed value is
// clamped to a bound.
struct SliderRange {
    double lower;
    double upper;
    const char* lower_text;
    const char* upper_text;
};

constexpr std::array<SliderRange, 4> SLIDER_RANGES{{
    {0.0, 1.0, "0", "1"},
    {20.0, 160.0, "20", "160"},
    {0.0, 1.0, "0", "1"},
    {0.0, 1.0, "0", "1"},
}};

const char* const WIDTH_NOTE = "Note: the width dimension should be a positive integer.";
const char* const HEIGHT_NOTE = "Note: the height dimension should be a positive integer.";
const char* const FRAME_RATE_NOTE = "Note: the maximum framerate should be a positive, non-zero\n"
                                    "integer or -1 (to signal an uncapped framerate).";
const char* const MAX_CORE_NOTE = "Note: the max-core count should be a positive non-zero integer\n"
                                  "within the range [1:8] inclusive.";
const char* const EYE_HEIGHT_NOTE =
    "Note: eye-heights can/may/typically range from 1.5 to 2.0 meters.";

bool valid_slider(int slider)
{
    return slider >= 0 && slider < static_cast<int>(SLIDER_RANGES.size());
}

void write_slider_setting(Application& app, int slider, double value)
{
    ViewSettings& settings = app.view_settings;
    switch (slider) {
    case SLIDER_WORLD_SCALE:
        settings.world_scale = value;
        break;
    case SLIDER_FIELD_OF_VIEW:
        settings.field_of_view_slider = value;
        app.camera.field_of_view = value;
        break;
    case SLIDER_LIGHT_INTENSITY:
        settings.light_intensity = value;
        break;
    default:
        settings.gradient_intensity = value;
        break;
    }
}

// Replaces a field's text with the cursor and both anchors at its end.
void show_in_field(lumo::F& field, const std::string& text)
{
    field.edit_text.clear();
    field.set_label_field(text);
}

// Reads an integer field and applies it when `accepted` holds; otherwise
// warns with the note and, when `restore` is given, shows that text again.
template <typename Accept>
bool enter_integer(Application& app, lumo::F& field, const char* note, Accept accept,
                   const std::string* restore = nullptr)
{
    const std::string typed = field.label;
    const std::optional<std::int32_t> value = read_integer_number(typed);
    if (value && accept(*value)) return true;
    if (restore != nullptr) show_in_field(field, *restore);
    reject_typed_number(app, typed, note);
    return false;
}

void request_resize(Application& app, std::int32_t width, std::int32_t height)
{
    if (app.platform.resize_client_area != nullptr) app.platform.resize_client_area(width, height);
    refresh_interface(app);
}

template <int Slider> void slider_field_entered()
{
    if (g_app != nullptr) enter_slider_field(*g_app, Slider);
}

template <int Slider> void slider_field_cancelled()
{
    if (g_app != nullptr) cancel_slider_field(*g_app, Slider);
}

template <int Slider> void setting_slider_moved(double value)
{
    if (g_app != nullptr) move_setting_slider(*g_app, Slider, value);
}

template <void (*Body)(Application&)> void invoke()
{
    if (g_app != nullptr) Body(*g_app);
}

template <int Slider> void wire_slider(Application& app)
{
    SliderRow& row = app.slider_rows[Slider];
    row.field.on_enter = slider_field_entered<Slider>;
    row.field.on_escape = slider_field_cancelled<Slider>;
    row.slider.on_value_changed = setting_slider_moved<Slider>;
}

} // namespace

std::string invalid_number_text(const std::string& typed, const std::string& note)
{
    std::string text =
        "The character sequence: \"" + typed +
        "\" caused a number parsing error.\n\nNote: the value has not been modified.";
    if (!note.empty()) text += "\n\n" + note;
    return text;
}

void reject_typed_number(Application& app, const std::string& typed, const std::string& note)
{
    if (lumo::g_focused_widget != nullptr) lumo::g_focused_widget->drop_focus();
    show_warning_pane(app, "Warning: Invalid Numeric Literal", invalid_number_text(typed, note));
    refresh_root(app);
}

void enter_slider_field(Application& app, int slider)
{
    if (!valid_slider(slider)) return;
    const auto at = static_cast<std::size_t>(slider);
    SliderRow& row = app.slider_rows[at];
    const SliderRange& range = SLIDER_RANGES[at];
    const std::string typed = row.field.label;
    const std::optional<double> value = read_real_number(typed);
    if (!value) {
        reject_typed_number(app, typed, "");
        return;
    }
    if (*value >= range.lower && *value <= range.upper) {
        app.slider_field_texts[at] = typed;
        write_slider_setting(app, slider, *value);
        row.slider.set_value((*value - range.lower) / (range.upper - range.lower));
    } else {
        const bool below = *value < range.lower;
        const std::string bound_text = below ? range.lower_text : range.upper_text;
        app.slider_field_texts[at] = bound_text;
        row.field.set_label(bound_text);
        write_slider_setting(app, slider, below ? range.lower : range.upper);
        row.slider.set_value(below ? 0.0 : 1.0);
        row.field.scroll_text_field_to_cursor();
    }
    refresh_interface(app);
}

void cancel_slider_field(Application& app, int slider)
{
    if (!valid_slider(slider)) return;
    const auto at = static_cast<std::size_t>(slider);
    app.slider_rows[at].field.set_label(app.slider_field_texts[at]);
    refresh_root(app);
}

void move_setting_slider(Application& app, int slider, double value)
{
    if (!valid_slider(slider)) return;
    const auto at = static_cast<std::size_t>(slider);
    std::string text;
    if (slider == SLIDER_FIELD_OF_VIEW) {
        const double degrees = value * 140.0 + 20.0;
        write_slider_setting(app, slider, degrees);
        text = std::to_string(static_cast<std::int32_t>(std::trunc(degrees)));
    } else {
        write_slider_setting(app, slider, value);
        text = fixed_to_text(value, 2);
    }
    app.slider_field_texts[at] = text;
    app.slider_rows[at].field.set_label(text);
    refresh_interface(app);
}

void enter_window_width(Application& app)
{
    enter_integer(app, app.window_width_field, WIDTH_NOTE, [&app](std::int32_t n) {
        if (n <= 0) return false;
        request_resize(app, n, app.window_height);
        return true;
    });
}

void enter_window_height(Application& app)
{
    enter_integer(app, app.window_height_field, HEIGHT_NOTE, [&app](std::int32_t n) {
        if (n <= 0) return false;
        request_resize(app, app.window_width, n);
        return true;
    });
}

void enter_frame_rate_limit(Application& app)
{
    enter_integer(app, app.frame_rate_limit_field, FRAME_RATE_NOTE, [&app](std::int32_t n) {
        if (n <= 0 && n != -1) return false;
        app.view_settings.frame_rate_limit = n;
        refresh_root(app);
        return true;
    });
}

void enter_max_cores(Application& app)
{
    const std::string current = std::to_string(app.view_settings.max_cores);
    enter_integer(
        app, app.max_cores_field, MAX_CORE_NOTE,
        [&app](std::int32_t n) {
            if (n < 1 || n > 8) return false;
            app.view_settings.max_cores = n;
            show_in_field(app.max_cores_field, std::to_string(n));
            if (lumo::g_focused_widget != nullptr) lumo::g_focused_widget->drop_focus();
            refresh_root(app);
            return true;
        },
        &current);
}

void enter_eye_height(Application& app)
{
    lumo::F& field = app.eye_height_field;
    const std::string typed = field.label;
    const std::optional<double> value = read_real_number(typed);
    if (!value) {
        show_in_field(field, app.view_settings.eye_height_text);
        reject_typed_number(app, typed, EYE_HEIGHT_NOTE);
        return;
    }
    set_eye_height(app, *value, typed);
}

void cancel_window_width(Application& app)
{
    show_in_field(app.window_width_field, std::to_string(app.window_width));
    refresh_root(app);
}

void cancel_window_height(Application& app)
{
    show_in_field(app.window_height_field, std::to_string(app.window_height));
    refresh_root(app);
}

void cancel_frame_rate_limit(Application& app)
{
    show_in_field(app.frame_rate_limit_field, std::to_string(app.view_settings.frame_rate_limit));
    refresh_root(app);
}

void cancel_max_cores(Application& app)
{
    show_in_field(app.max_cores_field, std::to_string(app.view_settings.max_cores));
    refresh_root(app);
}

void cancel_eye_height(Application& app)
{
    show_in_field(app.eye_height_field, app.view_settings.eye_height_text);
    refresh_root(app);
}

void wire_numeric_fields(Application& app)
{
    wire_slider<SLIDER_WORLD_SCALE>(app);
    wire_slider<SLIDER_FIELD_OF_VIEW>(app);
    wire_slider<SLIDER_LIGHT_INTENSITY>(app);
    wire_slider<SLIDER_GRADIENT_INTENSITY>(app);
    app.window_width_field.on_enter = invoke<enter_window_width>;
    app.window_width_field.on_escape = invoke<cancel_window_width>;
    app.window_height_field.on_enter = invoke<enter_window_height>;
    app.window_height_field.on_escape = invoke<cancel_window_height>;
    app.frame_rate_limit_field.on_enter = invoke<enter_frame_rate_limit>;
    app.frame_rate_limit_field.on_escape = invoke<cancel_frame_rate_limit>;
    app.max_cores_field.on_enter = invoke<enter_max_cores>;
    app.max_cores_field.on_escape = invoke<cancel_max_cores>;
    app.eye_height_field.on_enter = invoke<enter_eye_height>;
    app.eye_height_field.on_escape = invoke<cancel_eye_height>;
}
