#include "kernel_run.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

ScratchDirectory::ScratchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plim-standin-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        root_ = pattern;
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    if (!root_.empty())
        std::filesystem::remove_all(root_, ignored);
}

void ScratchDirectory::write(const std::string& name, const std::string& contents) const
{
    std::ofstream(root_ / name, std::ios::binary) << contents;
}

std::string ScratchDirectory::read(const std::string& name) const
{
    std::ifstream in(root_ / name, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

KernelRun ScratchDirectory::run(const std::string& args, const std::string& environment) const
{
    const std::string command = "cd '" + root_.string() + "' && " + environment + " '" PLIM_STANDIN_PATH "' " + args
        + " > run.out 2> run.err";
    const int status = std::system(command.c_str());
    KernelRun run;
    run.exit_code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    run.out = read("run.out");
    run.err = read("run.err");
    return run;
}
