#pragma once

// The one application object: the root of the widget tree, the platform
// service slots, the environments and the pointers to the current one, the
// camera, the per-environment view settings, the interface's transient state
// and every widget member. It is created once at start-up, after the global
// tables it reads exist, and destroyed after the message loop has ended.

#include <array>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lumo/root.h"
#include "lumo/view_layout.h"
#include "state/application_widgets.h"
#include "state/environment_store.h"
#include "state/export_ppd_state.h"
#include "state/interface_state.h"
#include "state/list_widgets.h"

#include "state/layout_state.h"
#include "state/menu_state.h"
#include "state/pane_state.h"
#include "state/shortcut_state.h"
#include "state/view_settings.h"
#include "model/entity.h"
#include "model/entity_views.h"
#include "model/mesh.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "render/camera.h"
#include "render/light0.h"

#include "render/picking.h"
#include "render/render_scene.h"

constexpr std::int32_t FRAME_TIME_COUNT = 10;

// What the next frame captures: the 3-D view alone or the whole window.
enum CaptureRequest : std::int32_t {
    CAPTURE_NONE = 0,
    CAPTURE_SNAPSHOT = 1,
    CAPTURE_SCREENSHOT = 2
};

struct Application {
    lumo::UI root;

    PlatformServices platform;
    std::int32_t startup_variant = 1; // 0 plain start-up, 1 configuration first
    std::uint8_t fullscreen = 0;
    std::uint8_t redraw_requested = 1;
    std::array<std::int32_t, 2> picked_element{-1, -1};
    std::int32_t window_width = 720;
    std::int32_t window_height = 480;
    LayoutMetrics layout;

    std::array<std::uint8_t, MODAL_STATE_COUNT> modal{};

    // Per-environment state of the current environment.
    ViewSettings view_settings;

    Entity builtin_entity = construct_entity();

    EnvironmentStore environment_store;
    EnvironmentRecord* current_environment = nullptr;
    EntityList* current_entity_list = nullptr;
    ConsoleState* current_console = nullptr;
    SceneState* current_scene_state = nullptr;
    EntitySelection* current_selection = nullptr;

    CameraSettings camera;
    std::int32_t camera_mode = CAMERA_FREE_ROAM;
    std::array<CameraSet, 3> saved_cameras; // one per controller mode

    // Environment tabs: index i of the names, the tabs and the store's order
    // denote the same environment.
    std::int32_t hovered_environment_tab = -1;
    std::int32_t current_environment_index = 0;
    std::int32_t environment_tab_count = 1;
    std::vector<std::string> environment_tab_names{"env0"};
    std::int32_t environment_switch_countdown = -1;
    std::int32_t pending_environment_index = -1;

    FadeState fade;
    std::int32_t deferred_countdown = 0;
    std::array<std::uint8_t, DEFERRED_OPERATION_COUNT> deferred{};
    std::uint8_t refresh_preview = 0; // one-shot thumbnail render request

    // Texts rebuilt from the current environment.
    std::string script_list_text = "(open a brisk-form script file...)";
    std::int32_t script_list_width = 0;
    double script_list_scroll = 0.0;
    std::string status_line_text;
    std::int32_t status_width = 0;
    EnvironmentTotals totals;
    std::ostringstream trace_text;
    std::array<std::string, 8> mesh_statistics_lines{"0 vertices",
                                                     "0 indices \t 0",
                                                     "0 ngons (0 triangles)",
                                                     "extent(w:0.00,h:0.00,d:0.00)",
                                                     "min(x:0.00,y:0.00,z:0.00)",
                                                     "max(x:0.00,y:0.00,z:0.00)",
                                                     "0.00 seconds (0 ms)",
                                                     "0.00 MB (0.00 kb | 0 bytes)"};
    std::array<std::string, 2> hint_texts;
    std::array<std::string, SLIDER_COUNT> slider_field_texts{"1.0", "60", "1.0", "0.5"};

    // Derived from the current environment's entities.
    std::int32_t variant_count = 0;
    std::int32_t animation_directive_count = 0;
    std::int32_t pending_variant_sync = -1;

    // Built-in scripts the start-up sequence assembles through the kernel.
    std::array<std::string, 5> builtin_scripts;
    std::array<Mesh*, 3> builtin_gizmo_meshes{};
    Mesh* builtin_mesh = nullptr;

    // Image capture: the stamp pattern is replaced by the local date-time.
    std::string snapshot_name_pattern = "plim_snapshot_YYYYMMDDhhmmss";
    std::string screenshot_name_pattern = "plim_screenshot_YYYYMMDDhhmmss";
    std::int32_t captured_width = 720;
    std::int32_t captured_height = 480;

    // Start-up. The start time is stamped by the window's start slot; the
    // start-up animation measures its time from it.
    std::int64_t startup_start_ms = -1;
    std::uint8_t startup_finished = 0;
    std::array<double, 3> startup_stamps{-1.0, -1.0, -1.0};

    // Open requests and confirmation targets.
    std::int32_t pending_path_count = 0;
    std::vector<std::string> pending_paths;
    std::int32_t reassemble_target = -1;
    std::int32_t delete_target = -1;
    std::int32_t reset_parameter_target = -1;

    ConfirmPaneModel confirm;
    MessagePanes message_panes;
    PanelRows panel_rows;
    DirectiveMenus directive_menus;
    ParseResultPane parse_result;

    // Set by the window's pointer slots: the last pointer position, and the
    // render times of the last frames (nanoseconds) for the frame-rate read-out.
    std::array<std::int32_t, 2> pointer_position{-1, -1};
    std::array<std::int64_t, FRAME_TIME_COUNT> frame_times_ns{};
    std::int32_t frame_time_index = 0;

    // GL names of dropped meshes; the renderer deletes them at the start of
    // its next frame, inside the GL context.
    std::vector<std::uint32_t> gl_vertex_arrays_to_delete;
    std::vector<std::uint32_t> gl_buffers_to_delete;
    std::vector<std::uint32_t> gl_index_buffers_to_delete;

    std::array<std::int32_t, COLOUR_FUNCTION_COUNT> colour_function_ids{};
    std::array<std::uint32_t, TOOL_MENU_COUNT> tool_menu_icons{51, 43, 44, 45, 52, 47, 48, 49};
    std::array<std::uint32_t, SETTINGS_MENU_COUNT> settings_menu_icons{29, 20, 31, 37, 34,
                                                                       33, 5,  35, 13, 2};
    std::array<std::uint32_t, 4> slider_icons{30, 32, 31, 36};
    // OPENPANE, left to right: the choice, the kernel at work, the mesh.
    std::array<std::uint32_t, 3> opening_icons{6, 24, 51};

    MenuCheckStates menu_checks;

    // Renderer: the legend swatches of the colour functions (0xFFRRGGBB).
    std::array<std::uint32_t, 10> function_palette{};
    RendererCache renderer_cache;
    ViewDrag view_drag;

    // Widgets, built empty here and configured by the interface construction.
    lumo::KL backdrop;
    lumo::KL startup_pane; // the fade overlay
    lumo::P startup_logo;
    lumo::P mask_pane;
    lumo::KL overlay;
    lumo::KL load_pane;
    lumo::VL view;
    std::array<lumo::SL, 3> split_layouts;
    std::array<lumo::P, 4> console_channel_tabs;
    std::array<lumo::T, 2> text_views; // the console's two text widgets
    std::array<lumo::P, COLOUR_FUNCTION_COUNT> colour_function_toggles;
    std::array<SliderRow, 4> slider_rows;
    lumo::KL slider_bar; // SLIDERBAR
    std::array<MenuWidgets, TOOL_MENU_COUNT> tool_menus;
    lumo::KL tool_menu_pane;
    lumo::T tool_menu_title;
    lumo::P tool_menu_icon;
    std::array<MenuWidgets, SETTINGS_MENU_COUNT> settings_menus;
    lumo::KL settings_bar; // MENUBAR
    std::array<lumo::P, SETTINGS_MENU_COUNT> settings_bar_items;
    lumo::KL settings_menu_pane;         // MENUNPANE
    std::array<lumo::KL, 3> side_panels; // CONSOLETRACE, ENTITYINSPECTOR, PARAMETERCONTROL
    std::array<lumo::P, 3> side_panel_tabs;
    std::array<lumo::P, 3> execution_mode_buttons;
    lumo::P culling_toggle;
    lumo::P profiler_toggle;
    lumo::F frame_rate_limit_field;
    lumo::F mono_edge_tone_field;
    lumo::F mono_dot_tone_field;
    lumo::F silhouette_tone_field;
    lumo::F eye_height_field;
    lumo::F max_cores_field;
    lumo::P fps_readout;
    lumo::T script_list_label;
    lumo::T status_label;
    std::array<lumo::T, 2> statistics_texts;        // the text and its shadow
    std::array<lumo::P, 5> parallel_option_toggles; // multi-core .. pre-emptive
    std::array<lumo::P, PICK_MODES.size()> pick_mode_rows;
    lumo::P llmi_toggle;
    lumo::P parallel_flags_toggle;
    lumo::F export_name_field;
    lumo::F export_location_field;
    std::array<lumo::P, 6> export_name_part_toggles;
    HintBarWidgets hint_bar;
    ConfirmPaneWidgets confirm_pane;
    EnvironmentTabWidgets environment_tabs;

    // Frame tick and start-up sequence: the clock they read (tests drive
    // time through it), held keys, camera motion, and the pane widgets the
    // modal dispatch and the start-up sequence show and hide. The interface
    // construction registers each pane; an unregistered pane is skipped.
    std::int64_t (*clock_ms)() = now_ms;
    HeldKeys held_keys;
    CameraMotionState camera_motion;
    std::array<lumo::P*, MODAL_STATE_COUNT> modal_pane_widgets{};
    lumo::P* navigator_list_pane = nullptr;
    lumo::P* navigator_mask = nullptr; // behind a warning shown over the navigator
    lumo::P* configuration_pane = nullptr;
    lumo::P* configuration_box = nullptr;
    lumo::P* startup_label = nullptr; // "assembling..."

    // Export pane and profiling view.
    ExportPaneState export_pane;
    PpdViewState ppd_view;

    // Lists: the entity inspector's and the parameter panel's widgets, their
    // rebuilt rows and the callbacks and styles the rows carry.
    ListPanels lists;

    // File navigator, configuration box, open command and dropped files. The
    // input settings (system settings menu): the in-app navigator
    // (Inline-IO), the native dialogs (Native-IO) and drops.
    FileNavigator navigator;
    NavigatorRows navigator_rows;
    ConfigurationPane configuration;
    std::uint8_t inline_io = 1;
    std::uint8_t native_io = 0;
    std::uint8_t native_dnd = 1;

    // Interface construction: the bars, panes and overlays the window layout
    // places, and what it reads and computes besides the view settings.
    lumo::P border; // BORDER
    ToolBarWidgets toolbar;
    TipBarWidgets tip_bar;
    MenuTreeWidgets menu_tree;
    lumo::KL control_pane; // CONTROLPANE
    lumo::KL content_pane; // CONTENTPANE
    MenuBarWidgets menu_bar;
    StatusBarWidgets status_bar;
    TabBarWidgets tab_bar;
    SliderBarWidgets slider_bar_parts;
    ColourBarWidgets colour_bar;
    lumo::P hide_logo; // HIDELOGO
    lumo::P lock_icon; // LOCKICON
    lumo::P no_render; // NORENDER
    lumo::KL dialog_layer;
    lumo::KL dialog_frame;
    RunOverlayWidgets run_overlay;
    ResizeNoticeWidgets resize_notice;
    StripWidgets parallel_flags_strip;
    StripWidgets inspector_strip;
    DirectiveColumnWidgets directive_column;
    VariantsPanelWidgets variants_panel;
    lumo::KL animation_control;
    lumo::P expand_button;
    std::array<lumo::P, 2> quick_hide_strips; // the strip and its twin
    lumo::P caption_box;
    lumo::P centre_marker;
    StartupWidgets startup;
    ConfigurationWidgets configuration_pane_widgets;
    NavigatorPaneWidgets navigator_pane;
    ConsoleWidgets console;
    RunPaneWidgets run_pane;
    DialogWidgets parse_pane;
    CapturePaneWidgets capture_pane;
    CapturePaneWidgets screenshot_pane;
    ProfilePaneWidgets profile_pane;
    DialogWidgets directive_pane;
    ExportPaneWidgets export_pane_widgets;
    DialogWidgets about_pane;
    DialogWidgets help_pane;
    DialogWidgets info_pane;
    DialogWidgets error_pane;
    DialogWidgets warning_pane;
    lumo::KL open_pane; // OPENPANE: the busy icons while scripts open
    std::array<lumo::P, 3> open_pane_icons;
    lumo::P load_box;
    ScrollFractions scroll;
    PanelLayoutState panel_layout;
    // The theme's text colour that rows point at, the colours of texts that
    // carry a meaning (the run pane's feature rows, the navigator's entries,
    // true and false values, rows with errors) on the panel and on the
    // highlight, and the background colour handed to the clear-colour
    // service; the theme appliers rewrite all four.
    std::array<double, 4> theme_text_colour{0.2, 0.2, 0.2, 1.0};
    MeaningColours meaning_colours;
    MeaningColours meaning_colours_on_highlight;
    std::array<double, 4> background_colour{0.9, 0.9, 0.9, 1.0};

    // Pane wiring: the mask that dims the navigator behind a warning shown
    // over it.
    lumo::P navigator_dimmer;

    // Menus and keys: the program's switch of a row without a field
    // elsewhere, the derived floating-panel visibility, the Tab step with the
    // 3-D view's loader of a saved view, and the GL call that sets light 0
    // (installed by the frame; shell code computes the terms without GL).
    MenuSwitches menu_switches;
    PanelVisibility panel_visibility;
    SavedViewStep saved_views;
    void (*load_saved_view)(Application& app) = nullptr;
    void (*apply_light0)(const Light0Terms& terms) = nullptr;

    // Inspection, view and toggles: the LLMI indicator of the inspector strip
    // (its label shows the pick-mode letter, its hint the last pick), the
    // picked-element lines its hint points at, the colour space of the colour
    // functions and the camera-directive options.
    lumo::P llmi_indicator;
    std::array<std::string, 2> picked_element_lines;
    std::uint8_t directive_refresh = 0;
    std::uint8_t directive_root_mode = 0;
    std::uint8_t directive_auto_sync = 0;
    std::uint8_t directive_animation = 0;
    std::uint8_t directive_goto_shown = 0;

    // Editing: the window-size fields of the window settings, read by their
    // Enter callbacks and rewritten by their cancel callbacks.
    lumo::F window_width_field;
    lumo::F window_height_field;
    // The side panels' scroll panes (ENTITYUPPER, ENTITYLOWER, PARAMETERUPPER,
    // PARAMETERLOWER) and the transform block's RESET buttons: translation,
    // uniform scale, per-axis scale, rotation, rotation order, transform order.
    std::array<lumo::SP, LIST_PANE_COUNT> list_panes;
    std::array<lumo::P, 6> transform_reset_buttons;

    // Menus and keys: the open settings drop-down's header (icon and title,
    // in the bottom row of MENUNPANE).
    lumo::P settings_menu_icon;
    lumo::T settings_menu_title;

    // Picking and image capture: the GL objects of the pick pass, the
    // thumbnails and the captures; the capture asked for, the file name it is
    // saved under, and the last captured image (upright RGBA8 of
    // captured_width x captured_height).
    ImageGlCache image_gl;
    std::int32_t capture_request = CAPTURE_NONE;
    std::string capture_file_name;
    std::vector<std::uint8_t> captured_pixels;

    // Strips and panes: the directive column's option buttons (auto-sync,
    // root mode, animate, grid or list), its rows with their thumbnails
    // (rebuilt with the directives), and the side panel's close entry.
    std::array<lumo::P, 4> directive_option_buttons;
    std::vector<std::unique_ptr<lumo::P>> directive_rows;
    // The variants panel's rows, one per parametric variant.
    std::vector<std::unique_ptr<lumo::P>> variant_rows;
    lumo::P side_panel_close;
    // What the floating controls' visibility was last derived from.
    std::array<std::int64_t, 5> floating_controls_basis{-1, -1, -1, -1, -1};

    // Parse report pane: the rows of the last parse-check and the shown
    // row's seven sections.
    ParseReportWidgets parse_report;

    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
};

// The one application object; null before create_application and after
// destroy_application. The toolkit's callbacks are plain functions without
// context and reach the application through it.
extern Application* g_app;

// Creates g_app. Call once at start-up, after the global tables exist.
Application& create_application();
// Destroys g_app after the message loop has ended; calls nothing in the
// platform layer or in GL.
void destroy_application();

// The platform's local time ("hh:mm:ss") and date-time ("YYYYMMDDhhmmss")
// texts; empty while the service is not installed.
std::string query_local_time_text(const Application& app);
std::string query_local_datetime_text(const Application& app);
