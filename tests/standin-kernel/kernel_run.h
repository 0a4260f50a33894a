#pragma once

#include "test_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

// Runs of the built stand-in executable in a scratch directory.

struct KernelRun {
    int exit_code = -1; // 128 + signal number when the kernel died by a signal
    std::string out;
    std::string err;
};

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plim-standin-XXXXXX").string();
        if (mkdtemp(pattern.data())) root_ = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string path(const std::string& name) const { return (root_ / name).string(); }
    void write(const std::string& name, const std::string& contents) const
    {
        std::ofstream(root_ / name, std::ios::binary) << contents;
    }
    std::string read(const std::string& name) const { return read_whole_file(path(name)); }
    bool exists(const std::string& name) const { return std::filesystem::exists(root_ / name); }

    // `plim` with the arguments (file names are relative to this directory),
    // after the given environment assignments.
    KernelRun run(const std::string& args, const std::string& environment = "") const
    {
        const std::string command = "cd '" + root_.string() + "' && " + environment +
                                    " '" PLIM_STANDIN_PATH "' " + args + " > run.out 2> run.err";
        const int status = std::system(command.c_str());
        return {WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), read("run.out"),
                read("run.err")};
    }

private:
    std::filesystem::path root_;
};
