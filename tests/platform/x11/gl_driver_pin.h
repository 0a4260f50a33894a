#pragma once

// Mesa unloads its DRI driver when the display connection closes, and the
// blocks it still holds then look leaked. Tests call this once a GL context
// exists: the driver stays loaded, and real leaks are still reported.

#include <dlfcn.h>
#include <link.h>

#include <cstring>

inline void keep_gl_driver_loaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* library, std::size_t, void*) {
            if (library->dlpi_name != nullptr && std::strstr(library->dlpi_name, "_dri.so") != nullptr) {
                dlopen(library->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}
