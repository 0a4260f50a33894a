#pragma once

// The export pane's option buttons: six attribute buttons (normals, colours,
// binary, polygons, triangles, time stamp) and four format rows (OBJ, OFF,
// PLY, STL). Each click flips one option, makes the size estimate current
// and highlights the button by the option's new state.

#include <cstdint>

struct Application;

enum ExportAttributeButton : int {
    EXPORT_BUTTON_NORMALS = 0,
    EXPORT_BUTTON_COLOURS,
    EXPORT_BUTTON_BINARY,
    EXPORT_BUTTON_POLYGONS,
    EXPORT_BUTTON_TRIANGLES,
    EXPORT_BUTTON_TIMESTAMP,
    EXPORT_BUTTON_COUNT,
};

void toggle_export_attribute(Application& app, int button);
// `format`: 0 OBJ, 1 OFF, 2 PLY, 3 STL.
void toggle_export_format(Application& app, int format);

void wire_export_option_callbacks(Application& app);
