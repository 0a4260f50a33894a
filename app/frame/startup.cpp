#include "app/frame/startup.h"

#include <cstring>

#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/font.h"
#include "state/application.h"
#include "app/commands/environment_lifecycle.h"
#include "model/text_metrics.h"
#include "platform/char_widths.h"
#include "platform/services.h"
#include "platform/startup_wiring.h"
#include "app/frame/app_slots.h"
#include "app/frame/interface_construction.h"

#include "app/frame/input_handlers.h"
#include "render/gl/light0_gl.h"
#include "platform/x11/gl_window.h"
#include "platform/x11/window_services.h"
#include "shell/themes.h"

namespace {

constexpr std::int32_t ICON_SIZE = lumo::kLogoCellSize;
constexpr std::int32_t ICON_CORNER = lumo::kIconAtlasSize - ICON_SIZE; // (384, 384)

// Window 0's argv and icon point into these for the whole run.
std::vector<std::string> g_argument_texts;
std::vector<char*> g_argument_pointers;
std::vector<std::uint8_t> g_icon_pixels;

void copy_icon_block(std::vector<std::uint8_t>& icon)
{
    icon.assign(static_cast<std::size_t>(ICON_SIZE) * ICON_SIZE * 4, 0);
    if (lumo::g_icon_atlas_pixels.size() <
        static_cast<std::size_t>(lumo::kIconAtlasSize) * lumo::kIconAtlasSize * 4)
        return;
    const std::size_t row_bytes = static_cast<std::size_t>(ICON_SIZE) * 4;
    for (std::int32_t row = 0; row < ICON_SIZE; ++row) {
        const std::size_t from =
            (static_cast<std::size_t>(ICON_CORNER + row) * lumo::kIconAtlasSize + ICON_CORNER) * 4;
        std::memcpy(icon.data() + static_cast<std::size_t>(row) * row_bytes,
                    lumo::g_icon_atlas_pixels.data() + from, row_bytes);
    }
}

void keep_arguments(const std::vector<std::string>& arguments)
{
    g_argument_texts = arguments;
    g_argument_pointers.clear();
    for (std::string& text : g_argument_texts)
        g_argument_pointers.push_back(text.data());
    g_argument_pointers.push_back(nullptr);
}

void generate_images()
{
    lumo::generate_icon_atlas();
    lumo::generate_logo_image();
    lumo::generate_font_image();
}

void install_platform_services(PlatformServices& services)
{
    // The window's services replace headless ones of the same slot (the
    // clipboard), so they come second.
    install_headless_services(services);
    install_window_services(services);
}

} // namespace

void build_available_interface(Application& app)
{
    build_application_ui(app);
    app.root.on_repaint = request_repaint;
    install_application_handlers(app);
    app.apply_light0 = apply_light0_terms;
}

void fill_app_window(WindowCallbacks& window, const Application& app, int argc, char** argv,
                     std::vector<std::uint8_t>& icon_pixels)
{
    window.width = static_cast<std::uint32_t>(app.window_width);
    window.height = static_cast<std::uint32_t>(app.window_height);
    window.title = "PLIM:EI (WIN32)";
    // Starting the window installs its record's clear colour, so the record
    // carries the theme's background rather than the default black.
    window.clear_colour = argb_of(app.background_colour);
    window.argc = argc;
    window.argv = argv;
    copy_icon_block(icon_pixels);
    window.icon_width = ICON_SIZE;
    window.icon_height = ICON_SIZE;
    window.icon_stride = ICON_SIZE;
    window.icon_pixels = icon_pixels.data();
}

bool start_application(const std::vector<std::string>& arguments)
{
    apply_command_line(arguments);
    generate_images();
    Application& app = *g_app;
    build_available_interface(app);
    install_platform_services(app.platform);

    keep_arguments(arguments);
    fill_app_window(g_app_window, app, static_cast<int>(arguments.size()),
                    g_argument_pointers.data(), g_icon_pixels);
    register_window(&g_app_window, 0);
    install_app_slots(g_app_window);
    start_window(&g_app_window);
    return true;
}
