#pragma once

// Callbacks of the frame's toggles and strips: the parallel-flags strip and
// its five assembly flags, PROFILER and CULLING, the VARIANTS header, the
// side panel's close entry, the hover hints, the menu tree and the wheels of
// the two menu strips.

#include <cstdint>

struct Application;

// Opens or closes the parallel-flags strip; opening it closes the inspector strip.
void toggle_parallel_flags_strip(Application& app);

// Buttons "MCP", "Cull", "IG", "CCPP", "P-Op.", in that order.
enum AssemblyFlag : std::int32_t {
    ASSEMBLY_FLAG_MULTI_CORE = 0,
    ASSEMBLY_FLAG_CULLING,
    ASSEMBLY_FLAG_INVOCATION_GROUPS,
    ASSEMBLY_FLAG_CCPP,
    ASSEMBLY_FLAG_PREEMPTIVE,
    ASSEMBLY_FLAG_COUNT,
};
void toggle_assembly_flag(Application& app, std::int32_t flag);

void toggle_profiler(Application& app);
void toggle_culling(Application& app);
void toggle_variants_panel(Application& app);

// Flips the hover hints; switched off, the hint shown goes with the bar.
void toggle_hover_hints(Application& app);

// A click on the script list opens the menu tree beneath it, or closes it.
void toggle_menu_tree(Application& app);
// A row of the menu tree closes the tree and does what it names.
void run_menu_tree_row(Application& app, int row);

// Wheel over the tool-menu strip: scrolls the open drop-down when it does
// not fit, else the script-list text. `notches` is signed.
void scroll_tool_strip(Application& app, int notches);
// Wheel over the settings drop-down: only a drop-down of 7 rows or more scrolls.
void scroll_settings_strip(Application& app, int notches);
