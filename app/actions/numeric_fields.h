#pragma once

// The number fields of the settings: the four slider-bar fields (world
// scale, field of view, light and gradient intensity), the window width and
// height, the frame-rate limit, the max-core count and the eye height. Each
// has an Enter callback that reads and checks the typed text, a cancel
// callback that shows the current value again, and the four sliders a
// value-changed callback that writes the setting and its read-out.

#include <string>

struct Application;

// The rejection pane of a typed number: "Warning: Invalid Numeric Literal"
// with the typed text and, when not empty, the field's note.
std::string invalid_number_text(const std::string& typed, const std::string& note);
void reject_typed_number(Application& app, const std::string& typed, const std::string& note);

enum SliderField : int {
    SLIDER_WORLD_SCALE = 0,
    SLIDER_FIELD_OF_VIEW,
    SLIDER_LIGHT_INTENSITY,
    SLIDER_GRADIENT_INTENSITY,
};

// Enter, cancel and slider bodies; `slider` is a SliderField.
void enter_slider_field(Application& app, int slider);
void cancel_slider_field(Application& app, int slider);
void move_setting_slider(Application& app, int slider, double value);
void enter_window_width(Application& app);
void enter_window_height(Application& app);
void enter_frame_rate_limit(Application& app);
void enter_max_cores(Application& app);
void enter_eye_height(Application& app);
void cancel_window_width(Application& app);
void cancel_window_height(Application& app);
void cancel_frame_rate_limit(Application& app);
void cancel_max_cores(Application& app);
void cancel_eye_height(Application& app);

// Installs the Enter, cancel and slider callbacks on the nine fields and the
// four sliders.
void wire_numeric_fields(Application& app);
