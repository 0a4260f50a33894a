#pragma once

// The start-up animation, one frame per tick until it finishes: the logo
// fades in and out, the entity workspace is applied (at once, or after the
// user has configured it), the built-in meshes are assembled by the kernel
// under the "assembling..." label, and the start-up pane gives way to the
// interface. Times are seconds since the window started.

#include <string>

struct Application;

// Index of the three start-up stamps in `Application::startup_stamps`.
enum StartupStamp : int { STAMP_WORKSPACE = 0, STAMP_ASSEMBLY_START, STAMP_ASSEMBLY_END };

// Seconds since the window's start slot ran, by the application's clock.
double startup_seconds(const Application& app);
// Stamps the moment the entity workspace was applied; the configuration
// start-up waits for it.
void stamp_workspace_applied(Application& app);

// Plain start-up: kernel and workspace were valid on the command line.
void run_startup_sequence(Application& app);
// Start-up that waits in the configuration pane for a workspace.
void run_config_startup_sequence(Application& app);

// The grid, axis and ring widget meshes in one kernel run and the sample
// model in another, timed, with three console lines. A mesh the kernel did
// not return leaves its widget undrawn and is reported on the error channel.
void assemble_startup_environment(Application& app);

// "Environment-Assembly : 412 ms" for 412.4 ms.
std::string assembly_time_line(double milliseconds);
