#pragma once

// Mesa unloads its DRI driver when the display connection closes. Blocks the
// driver still held at that moment then look leaked to LeakSanitizer, with
// no module left to name in a suppression. Tests that create a GL context
// call this once it exists: the driver stays loaded to the end of the
// process, its memory stays reachable, and real leaks are still reported.

#include <dlfcn.h>
#include <link.h>

#include <cstring>

inline void keep_gl_driver_loaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* library, std::size_t, void*) {
            if (library->dlpi_name != nullptr && std::strstr(library->dlpi_name, "_dri.so") != nullptr) {
                dlopen(library->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}
