#pragma once

// One environment: its entities, console, list views, saved cameras and the
// stored copy of the application's per-environment view state.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "lumo/view_layout.h"
#include "state/menu_state.h"
#include "state/view_settings.h"
#include "model/console_state.h"
#include "model/entity.h"
#include "model/entity_views.h"
#include "render/camera.h"

// Every constructed record takes the next id; ids are never reused.
extern std::atomic<std::uint32_t> g_next_environment_id;

// One saved camera per controller mode: object-orbit, free-roam, first-person.
struct ViewState {
    std::array<CameraSet, 3> camera_sets;
};

ViewState make_default_view_state();

// One viewport pane's view: the eye and target of the three camera sets,
// then zoom and the three Euler angles.
using PaneView = lumo::VL::ViewRecord;

PaneView make_default_pane_view();

// The 3-D view's pane layout as the split history that rebuilds it; the pane
// count follows from replaying the splits.
struct ViewportLayout {
    std::int32_t pane_count = 1;
    std::int32_t selected_pane = 0;
    std::vector<PaneView> pane_views{make_default_pane_view()};
    std::int32_t split_count = 0;
    std::vector<int> split_panes;
    std::vector<int> split_orientations;
    std::vector<double> split_ratios;
};

constexpr int SLIDER_COUNT = 4; // world scale, field of view, light, gradient
constexpr int SPLIT_LAYOUT_COUNT = 3;

// Per-environment state that lives in widgets while the environment is current.
struct EnvironmentWidgetState {
    std::array<double, SPLIT_LAYOUT_COUNT> split_ratios{0.5, 0.5, 0.5};
    std::array<std::string, SLIDER_COUNT> slider_field_texts{"1.0", "60", "1.0", "0.5"};
    // Slider positions 0 to 1: field of view 60 within 20 to 160 is 40 / 140.
    std::array<double, SLIDER_COUNT> slider_values{1.0, 40.0 / 140.0, 1.0, 0.5};
    ViewportLayout viewport;
};

// Copies keep the source's id and names (the memberwise defaults); the copy's
// list views still point at the source's entities until it is made current.
struct EnvironmentRecord {
    std::uint8_t valid = 0;
    std::uint8_t enabled = 1;
    std::uint32_t id = 0;
    std::uint8_t marked_for_close = 0;     // finds the list node to erase
    std::string name;                      // "env" + id
    std::array<std::string, 2> menu_entry; // entry id and its tool-tip
    ConsoleState console;
    SceneState scene_state;
    EntitySelection entity_selection;
    std::int32_t camera_mode = CAMERA_FREE_ROAM;
    ViewState view;
    std::uint8_t builtin_mesh_visible = 1; // the sample model, hidden once a script loads
    std::int32_t view_index = -1;
    EntityList entities;
    ViewSettings view_settings;
    EnvironmentWidgetState widget_state;
    // Empty until the environment is first saved; the defaults stand in then.
    MenuCheckSnapshot tool_menu_snapshot;
    MenuCheckSnapshot settings_menu_snapshot;
};

// Builds a record with the defaults and the next id.
EnvironmentRecord construct_environment_record();
void environment_names(EnvironmentRecord& record);
