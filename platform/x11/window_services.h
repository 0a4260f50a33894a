#pragma once

// The platform services that need the window; the application reaches them
// through its service fields.

#include "platform/services.h"

#include <cstdint>
#include <string>

// Asks for one paint: the next loop pass posts it.
void request_repaint();

// Records the full-screen flag and returns the one it replaces. A change is
// also asked of the window manager, where one runs.
std::uint8_t set_fullscreen_flag(std::uint8_t flag);

// Asks for a client area of width x height, at least 360 x 240; nonzero when
// the request was made. A window the window manager holds maximised is first
// asked out of that state, which would keep the manager from resizing it.
std::int32_t resize_client_area(std::int32_t width, std::int32_t height);

// The open dialog for scripts and the save dialog for the export location
// (file_dialogs.cpp).
std::string run_open_dialog(const std::string& initial_directory);
std::string run_save_dialog(const std::string& initial_directory);

// Fills the service slots that need the window: repaint, full screen, client
// resize, the two dialogs and the clipboard.
void install_window_services(PlatformServices& services);
