#include "platform/process.h"

#include "platform/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <system_error>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Both ends close-on-exec from the start (pipe2), so a child spawned by
// another thread in the meantime never inherits them and never keeps this
// run's readers from seeing end-of-file.
struct Pipe {
    int read_end = -1;
    int write_end = -1;
};

bool open_pipe(Pipe& pipe)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    pipe = {ends[0], ends[1]};
    return true;
}

void close_fd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Reads `fd` to end-of-file; appends the bytes to `sink` when one is given.
void read_until_eof(int fd, std::string* sink)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            if (sink) sink->append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        return;
    }
}

// Starts the child with its standard streams wired to /dev/null and the two
// pipes; returns its pid, or -1 when it could not be started.
pid_t spawn_child(const std::string& executable, const TextList& arguments, const Pipe& out,
                  const Pipe& err)
{
    const std::string program_name = path_file_name(executable);
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program_name.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write_end, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write_end, STDERR_FILENO);

    pid_t pid = -1;
    // A bare name is looked up on PATH; a text naming a directory is run as is.
    const bool bare_name = executable.find('/') == std::string::npos;
    const int failed =
        bare_name ? posix_spawnp(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ)
                  : posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

void wait_for_child(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Drains both pipes on two reader threads while waiting for the child, then
// joins them. False when a reader could not be started: its pipe is closed
// instead, so the child cannot block on it, and the output is incomplete.
bool drain_and_wait(pid_t pid, Pipe& out, Pipe& err, std::string& output)
{
    std::thread output_reader;
    std::thread error_reader;
    bool readers_started = true;
    try {
        output_reader = std::thread(read_until_eof, out.read_end, &output);
        error_reader = std::thread(read_until_eof, err.read_end, nullptr);
    } catch (const std::system_error&) {
        readers_started = false;
        if (!output_reader.joinable()) close_fd(out.read_end);
        close_fd(err.read_end);
    }
    wait_for_child(pid);
    if (output_reader.joinable()) output_reader.join();
    if (error_reader.joinable()) error_reader.join();
    return readers_started;
}

} // namespace

std::string run_process(const std::string& executable, const TextList& arguments)
{
    if (executable.empty()) return std::string();
    Pipe out;
    Pipe err;
    if (!open_pipe(out)) return std::string();
    if (!open_pipe(err)) {
        close_fd(out.read_end);
        close_fd(out.write_end);
        return std::string();
    }

    const pid_t pid = spawn_child(executable, arguments, out, err);
    // Only the child may keep the write ends open, so the readers see
    // end-of-file as soon as it (and whatever it started) has let go of them.
    close_fd(out.write_end);
    close_fd(err.write_end);

    std::string output;
    if (pid > 0 && !drain_and_wait(pid, out, err, output)) output.clear();
    close_fd(out.read_end);
    close_fd(err.read_end);
    return output;
}

std::string current_directory()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    if (error) return std::string();
    return path.generic_string() + "\n";
}
