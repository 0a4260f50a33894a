#pragma once

// The part of the start-up wiring that needs neither the application object
// nor the window: the banner, the start time, the command line and the
// start-up variant its settings lead to. The rest (images, interface,
// services, window record) is start_application's, in app/frame/startup.h.

#include <cstdint>
#include <string>
#include <vector>

extern std::int64_t g_program_start_ms;   // -1 until start-up stamps it
extern std::uint8_t g_interactive_config; // 1: keep the configuration pane open

// Writes the banner to the trace, stamps g_program_start_ms, then carries out
// plan_startup for `arguments` (element 0 the program name): its trace
// lines, the kernel path and workspace settings, the staging directory and
// the interactive-configuration switch. Nothing it reports stops the start-up.
void apply_command_line(const std::vector<std::string>& arguments);

// 0, the plain start-up, when the kernel and the workspace are both valid and
// no interactive configuration was asked for; else 1, configuration first.
std::int32_t choose_startup_variant();
