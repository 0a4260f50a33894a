#pragma once

// The services the application asks of the platform, as function-pointer
// slots. Any slot may be empty; callers test it and skip the call. The window
// layer fills the slots that need a window; the headless ones are below.

#include <cstdint>
#include <string>

using RepaintService = void (*)();
using FullscreenService = std::uint8_t (*)(std::uint8_t flag);
using ResizeService = std::int32_t (*)(std::int32_t width, std::int32_t height);
using DialogService = std::string (*)(const std::string& initial_directory);
using ImageWriterService = bool (*)(const std::string& path, const std::string& format,
                                    const std::uint8_t* rgba_pixels, std::int32_t width,
                                    std::int32_t height, std::int32_t row_stride);
using TextService = std::string (*)();
using ClipboardWriteService = bool (*)(const std::string& text);
using ClearColourService = void (*)(double red, double green, double blue, double alpha);

struct PlatformServices {
    RepaintService request_repaint = nullptr;
    FullscreenService set_fullscreen = nullptr;
    ResizeService resize_client_area = nullptr;
    DialogService open_dialog = nullptr;
    DialogService save_dialog = nullptr;
    ImageWriterService write_image = nullptr;
    TextService date_text = nullptr;
    TextService time_text = nullptr;
    TextService datetime_text = nullptr;
    TextService clipboard_read = nullptr;
    ClipboardWriteService clipboard_write = nullptr;
    ClearColourService clear_colour = nullptr;
};

// Background colour the window clears to; the window layer reads it.
struct ClearColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;
};
extern ClearColour g_clear_colour;

// There is no clipboard access: reading gives the empty text, writing reports
// failure and the caller shows its own message.
std::string get_clipboard_text();
bool set_clipboard_text(const std::string& text);
void set_clear_colour(double red, double green, double blue, double alpha);

// Fills the slots that need no window: image writer, date and time texts,
// clipboard and clear colour. The others are left as they are.
void install_headless_services(PlatformServices& services);
