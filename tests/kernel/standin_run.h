#pragma once

// Runs the stand-in kernel on staged texts in a scratch workspace, the way
// the inspector stages its parse and assemble runs.

#include "platform/files.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

struct StandinWorkspace {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("plim_kernel_itest_" + std::to_string(::getpid()));

    StandinWorkspace() { std::filesystem::create_directories(folder); }
    ~StandinWorkspace() { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    // The kernel's own output goes to a log file; its exit code is not used.
    void run(const std::string& action, const std::string& input, const std::string& in,
             const std::string& out, const std::string& more = "") const
    {
        write_text_file(input, path(in));
        write_text_file("", path(out));
        const std::string command = std::string("'") + PLIM_STANDIN_PATH + "' -interop " + action +
                                    " '" + path(in) + "' '" + path(out) + "' " + more + " >'" +
                                    path("kernel.log") + "' 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }

    // One logic assembled alone, execute mode 2; returns the output path.
    std::string assemble(const std::string& logic) const
    {
        run("-assemble",
            "1;\n\n{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\n" + logic +
                "\n};\n",
            "assemble_in", "assemble_out");
        return path("assemble_out");
    }

    // One script file parsed; returns the whole parse output.
    std::string parse(const std::string& script_text) const
    {
        run("-parse", "// logic\n" + script_text, "parse_in", "parse_out");
        return read_text_file(path("parse_out"));
    }
};
