#pragma once

// The interface's transient state held by the Application: modal panes,
// deferred operations, the confirmation pane's model, the fade transition,
// layout metrics and the environment totals.

#include <array>
#include <cstdint>
#include <string>

struct Application;

// Accept, cancel and fade-completion actions.
using ApplicationAction = void (*)(Application&);

// One byte per dialog pane; any set byte blocks most shortcuts and the camera.
enum ModalState : int {
    MODAL_RUN = 0,
    MODAL_PARSE,
    MODAL_CAPTURE,
    MODAL_SCREENSHOT,
    MODAL_PROFILE,
    MODAL_DIRECTIVE,
    MODAL_EXPORT,
    MODAL_WARNING,
    MODAL_ERROR,
    MODAL_INFO,
    MODAL_ABOUT,
    MODAL_HELP,
    MODAL_CONFIRM,
    MODAL_OPENING,
    MODAL_BUSY,
    MODAL_NAVIGATOR,
    MODAL_STATE_COUNT,
};

// Operations the frame tick runs after its countdown, in this order.
enum DeferredOperation : int {
    DEFERRED_OPEN_SELECTED_SCRIPTS = 0,
    DEFERRED_OPEN_PENDING_PATHS,
    DEFERRED_NATIVE_OPEN_DIALOG,
    DEFERRED_NATIVE_FOLDER_DIALOG,
    DEFERRED_CONFIRMED_ACTION,
    DEFERRED_OPERATION_COUNT,
};

// Frames between a request and the deferred work, so the interface first
// shows its busy state.
constexpr std::int32_t DEFERRED_FRAMES = 5;

struct LayoutMetrics {
    std::int32_t panel_inset = 12;
    std::int32_t margin = 8;
    std::int32_t slider_switch_width = 720;
    std::int32_t side_panel_width = 256;
    std::int32_t menu_column_width = 56;
    std::int32_t bar_unit = 56;
    std::int32_t row_height = 32;
    std::int32_t strip_height = 24;
    std::int32_t gap = 8;
    std::int32_t thick_border = 2;
    std::int32_t thin_border = 1;
    std::int32_t dialog_width = 512;
    std::int32_t dialog_height = 368;
};

// Text colours that say something of what they show. Widgets point at the
// Application's copies, which the themes rewrite: one set for rows on the
// panel, one for rows drawn on the highlight. The values here are the ones
// the panels were drawn with on a light panel, and the Light theme keeps
// them as they are on its panels.
struct MeaningColours {
    using Rgba = std::array<double, 4>;
    // The navigator's entries and path buttons; the features a mode offers.
    Rgba normal{0.275, 0.275, 0.275, 1.0};
    // What is not on offer: files the navigator cannot use, missing features.
    Rgba faint{128.0 / 255.0, 128.0 / 255.0, 128.0 / 255.0, 1.0};
    Rgba executable{63.0 / 255.0, 127.0 / 255.0, 1.0, 1.0};
    Rgba true_value{32.0 / 255.0, 160.0 / 255.0, 0.0, 1.0};
    Rgba false_value{160.0 / 255.0, 32.0 / 255.0, 0.0, 1.0};
    // A parse-check row whose report has errors.
    Rgba error{192.0 / 255.0, 32.0 / 255.0, 0.0, 1.0};

    bool operator==(const MeaningColours&) const = default;
};

// What the confirmation pane asks and what accepting or cancelling runs.
struct ConfirmPaneModel {
    std::string title;
    std::string text;
    std::array<std::string, 2> texts; // display copies of title and text
    std::uint32_t icon = 0;
    std::int32_t option_value = -1;
    std::int32_t second_value = 0;
    std::uint8_t option_visible = 0;
    std::int32_t* option_target = nullptr; // the execution mode being confirmed
    std::array<std::string, 3> option_labels{"Pure-Union-Mesh", "Basic-CSG-Mesh",
                                             "Optimal-CSG-Mesh"};
    ApplicationAction cancel_action = nullptr;
    ApplicationAction accept_action = nullptr;
    std::array<std::string, 2> cancel_labels{"Cancel", "ESCAPE"};
    std::array<std::string, 2> accept_labels{"OK", "ENTER"};
    std::uint8_t confirmed_action_pending = 0;
    std::uint8_t assembly_pending = 0;
    // The environment a close confirmation was asked for, captured when the
    // pane opens: the hovered tab may change before the accept action runs.
    std::int32_t environment_to_close = -1;
};

// The fade overlay behind which a new environment is created.
struct FadeState {
    std::uint8_t active = 0;
    std::int32_t direction = 1; // 1: fading in; below 1: holding or fading out
    std::int32_t hold_ticks = 0;
    double opacity = 0.0;
    ApplicationAction completion_action = nullptr;
    double step = 0.05;
};

// Sums and bounds over the entities of the current environment.
struct EnvironmentTotals {
    std::uint32_t vertex_count = 0;
    std::uint32_t polygon_index_count = 0;
    std::uint32_t triangle_index_count = 0;
    std::uint32_t polygon_count = 0;
    std::uint32_t triangle_count = 0;
    std::array<double, 3> extent{};
    std::array<double, 3> minimum{};
    std::array<double, 3> maximum{};
    double seconds = 0.0;
    std::int32_t milliseconds = 0;
    double megabytes = 0.0;
    double kilobytes = 0.0;
    std::uint64_t bytes = 0; // 64-bit: several large meshes pass 4 GiB
};

// Held keys as the key handlers record them, for the frame tick's continuous
// motion: letters under both cases, the arrows in the order Left, Up, Right,
// Down, and the times the navigator's auto-repeat counts from.
struct HeldKeys {
    std::array<std::uint8_t, 256> keys{};
    std::array<std::uint8_t, 4> arrows{};
    std::int64_t arrow_press_ms = 0;
    std::int64_t last_repeat_ms = 0;
};

enum ArrowKey : int { ARROW_LEFT = 0, ARROW_UP, ARROW_RIGHT, ARROW_DOWN };

// Camera motion between ticks: the wheel steps not yet applied and the time
// of the previous camera step. The view drag is the application's view_drag.
struct CameraMotionState {
    std::uint8_t camera_lock = 0;
    std::int32_t wheel_queue = 0;
    std::int64_t last_tick_ms = 0;
};
