// plim-gl-selftest: opens the platform self-check window and runs the message
// loop until the window is closed. The window's slots trace every event.

#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "render/gl/gl_extensions.h"
#include "tools/gl-selftest/self_test.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--self-test") != 0) {
        std::cerr << "usage: plim-gl-selftest --self-test" << std::endl;
        return 2;
    }
    if (!create_gl_window("ZARNO:Windows-Win32", 360, 360)) {
        return 1;
    }
    load_gl_extensions();
    show_gl_window();
    platform_self_test(argc, argv);
    announce_client_size();
    run_message_loop();
    destroy_gl_window();
    return 0;
}
