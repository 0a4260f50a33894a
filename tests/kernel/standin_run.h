#pragma once

// Runs the stand-in kernel on staged texts in a scratch workspace, the way
// the inspector stages its parse and assemble runs.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

struct StandinWorkspace
{
    std::filesystem::path folder;

    StandinWorkspace()
        : folder(std::filesystem::temp_directory_path() /
                 ("plim_kernel_itest_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder);
    }
    ~StandinWorkspace() { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
    }

    std::string read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The kernel's own output goes to a log file; its exit code is not used.
    void run(const std::string& arguments) const
    {
        const std::string command = std::string("'") + PLIM_STANDIN_PATH + "' " + arguments + " >'" +
                                    path("kernel.log") + "' 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }

    // One logic assembled alone, execute mode 2; returns the output path.
    std::string assemble(const std::string& logic) const
    {
        write("assemble_in", "1;\n\n{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\n" + logic +
                                 "\n};\n");
        std::filesystem::remove(path("assemble_out"));
        run("-interop -assemble '" + path("assemble_in") + "' '" + path("assemble_out") + "'");
        return path("assemble_out");
    }

    // One script file parsed; returns the whole parse output.
    std::string parse(const std::string& script_text) const
    {
        write("parse_in", "// logic\n" + script_text);
        write("parse_out", "");
        run("-interop -parse '" + path("parse_in") + "' '" + path("parse_out") + "'");
        return read("parse_out");
    }
};
