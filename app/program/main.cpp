// plim-ei: the inspector. Creates the one GL window, hands the command line
// to the start-up wiring and runs the message loop until the window closes.

#include "lumo/gl/textures.h"
#include "state/application.h"
#include "platform/startup_plan.h"
#include "app/frame/image_capture.h"
#include "app/frame/startup.h"
#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "render/gl/gl_extensions.h"

int main(int argc, char** argv)
{
    create_application();
    // The window layer has already said why on standard error and the trace.
    if (!create_gl_window("PLIM:EI (WIN32)", 720, 480)) {
        destroy_application();
        return 1;
    }
    load_gl_extensions();
    show_gl_window();
    start_application(command_line_arguments(argc, argv));
    announce_client_size();
    run_message_loop();

    release_image_passes(*g_app);
    lumo::delete_toolkit_textures();
    destroy_gl_window();
    destroy_application();
    return 0;
}
