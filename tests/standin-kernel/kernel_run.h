#pragma once

#include <filesystem>
#include <string>

// Runs of the built stand-in executable in a scratch directory.

struct KernelRun {
    int exit_code = -1;  // 128 + signal number when the kernel died by a signal
    std::string out;
    std::string err;
};

class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string path(const std::string& name) const { return (root_ / name).string(); }
    void write(const std::string& name, const std::string& contents) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const { return std::filesystem::exists(root_ / name); }

    // `plim` with the arguments (file names are relative to this directory),
    // after the given environment assignments.
    KernelRun run(const std::string& args, const std::string& environment = "") const;

private:
    std::filesystem::path root_;
};
