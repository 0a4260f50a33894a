#pragma once

// Texts that tell the user where they stand: the script list, the
// environment statistics, the status line and the frame-rate read-out,
// rebuilt from the current environment on request.

struct Application;

void build_script_list_text(Application& app);
// Recomputes the totals, then the statistics lines.
void update_environment_totals(Application& app);
void build_mesh_statistics_text(Application& app);
void build_status_line(Application& app);
// The frame-rate read-out, coloured by theme and rate; nothing while it is off.
void build_fps_text(Application& app);
