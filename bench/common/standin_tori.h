#pragma once

// Closed meshes as users have them: tori assembled by the stand-in kernel
// into interop files, made once per build folder and kept there. One torus
// of 1024 x 512 quads has 1,048,576 triangles; two tori of 1024 x 1024 quads
// joined into one mesh have 4,194,304.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The interop file of the torus mesh with about `million` million triangles
// (1 or 4); empty when the stand-in kernel could not make it.
inline std::string standin_torus_file(int million)
{
    const auto directory = std::filesystem::path(PLIM_BINARY_DIR) / "bench-tori";
    std::filesystem::create_directories(directory);
    const std::string name = "torus_" + std::to_string(million) + "m";
    const auto file = directory / (name + ".interop");
    if (std::filesystem::exists(file)) return file.string();
    const auto script = directory / (name + ".plim");
    std::ofstream(script) << (million >= 4 ? "return torus(1, 0.3, 1024, 1024) + "
                                             "torus(1, 0.3, 1024, 1024).ty(1);\n"
                                           : "return torus(1, 0.3, 1024, 512);\n");
    const std::string command = std::string("'") + STANDIN_KERNEL_PATH +
                                "' -interop -assemble '" + script.string() + "' '" +
                                file.string() + "' >/dev/null";
    if (std::system(command.c_str()) != 0) std::filesystem::remove(file);
    return std::filesystem::exists(file) ? file.string() : std::string();
}
