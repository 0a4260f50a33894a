#pragma once

// The export pane's and the profiling pane's state. The option bytes, the
// name and the location of the export live with the per-environment view
// settings; what is derived from them for the pane is here.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lumo/scroll_pane.h"
#include "lumo/text.h"

struct Entity;

struct ExportPaneState {
    std::int64_t size_estimate = 0;
    std::string size_text = "Estimate Size-on-Disk: 0.000 MB"; // until the first estimate
    std::uint8_t enabled = 0;
    std::string button_label = "!"; // "Export" while the options can be exported
    std::uint8_t location_hint_visible = 0;
    std::uint8_t visible = 0; // EXPORTPANE is shown
};

// The profiling pane: the shown report, one row for the entity and one per
// group member, and the widgets of the pane that it fills. The interface
// construction sets the three widget pointers; until it does, only the
// state is kept.
struct PpdViewState {
    std::string text; // the shown report
    std::int32_t row_count = 0;
    std::int32_t selected_row = 0;
    std::vector<Entity*> row_entities; // null for an empty member slot
    std::vector<std::unique_ptr<lumo::P>> rows;
    std::uint8_t visible = 0; // PROFILEPANE is shown
    std::uint8_t row_list_visible = 1;
    lumo::SP* row_list = nullptr;
    lumo::SP* report_area = nullptr;
    lumo::T* report_text = nullptr;
};
