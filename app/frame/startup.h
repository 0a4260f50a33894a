#pragma once

// The start-up wiring: run once by the program entry after the GL window and
// context exist and before the message loop.

#include <cstdint>
#include <string>
#include <vector>

struct Application;
struct WindowCallbacks;

// Builds the parts of the interface that exist so far: the first environment,
// the default font's character widths, the root's size and repaint request,
// and the start-up variant.
void build_available_interface(Application& app);

// Window 0's settings: the application's window size, the title "PLIM:EI (WIN32)",
// the argument vector and the 128 x 128 icon. The icon is a copy of the
// atlas's last cell, kept in `icon_pixels`, because the atlas buffer is freed
// once its texture exists.
void fill_app_window(WindowCallbacks& window, const Application& app, int argc, char** argv,
                     std::vector<std::uint8_t>& icon_pixels);

// Banner, command line (kernel, workspace, staging directory, interactive
// switch), generated images, interface, platform services, window record,
// registered as window 0 and started. `arguments` holds the program name and
// the tokens (command_line_arguments). Nothing it reports stops the start-up,
// so it returns true; g_app must exist.
bool start_application(const std::vector<std::string>& arguments);
