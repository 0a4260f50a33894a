#include "platform/process.h"

#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
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

// Appends what still fits under the limit and counts the rest as dropped.
void keep_within_limit(std::string& sink, const char* bytes, std::size_t count,
                       std::uint64_t& dropped)
{
    const std::size_t room =
        sink.size() < k_process_output_limit ? k_process_output_limit - sink.size() : 0;
    const std::size_t kept = std::min(room, count);
    sink.append(bytes, kept);
    dropped += count - kept;
}

// Reads `fd` to end-of-file; keeps the bytes in `sink` when one is given, up
// to the output limit, and closes the kept text with a line naming how many
// bytes did not fit.
void read_until_eof(int fd, std::string* sink)
{
    char buffer[65536];
    std::uint64_t dropped = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            if (sink) keep_within_limit(*sink, buffer, static_cast<std::size_t>(got), dropped);
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        break;
    }
    if (sink == nullptr || dropped == 0) return;
    if (!sink->empty() && sink->back() != '\n') sink->push_back('\n');
    *sink += "OUTPUT-TRUNCATED: " + std::to_string(dropped) + " bytes of standard output dropped\n";
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

// Waits for the child's end, blocking, or polling it with a call of
// `while_waiting` between looks when one is given.
void wait_for_child(pid_t pid, ProcessResult& result, void (*while_waiting)())
{
    const int options = while_waiting != nullptr ? WNOHANG : 0;
    int status = 0;
    pid_t waited = -1;
    for (;;) {
        waited = ::waitpid(pid, &status, options);
        if (waited < 0 && errno == EINTR) continue;
        if (waited != 0) break;
        while_waiting();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waited != pid || !WIFEXITED(status)) return;
    result.exited = true;
    result.exit_code = WEXITSTATUS(status);
}

// Drains both pipes on two reader threads while waiting for the child, then
// joins them. False when a reader could not be started: its pipe is closed
// instead, so the child cannot block on it, and the output is incomplete.
bool drain_and_wait(pid_t pid, Pipe& out, Pipe& err, ProcessResult& result, void (*while_waiting)())
{
    std::thread output_reader;
    std::thread error_reader;
    bool readers_started = true;
    try {
        output_reader = std::thread(read_until_eof, out.read_end, &result.output);
        error_reader = std::thread(read_until_eof, err.read_end, nullptr);
    } catch (const std::system_error&) {
        readers_started = false;
        if (!output_reader.joinable()) close_fd(out.read_end);
        close_fd(err.read_end);
    }
    wait_for_child(pid, result, while_waiting);
    if (output_reader.joinable()) output_reader.join();
    if (error_reader.joinable()) error_reader.join();
    return readers_started;
}

// One run; without `while_waiting` it blocks until the child has ended.
ProcessResult run_child(const std::string& executable, const TextList& arguments,
                        void (*while_waiting)())
{
    ProcessResult result;
    if (executable.empty()) return result;
    Pipe out;
    Pipe err;
    if (!open_pipe(out)) return result;
    if (!open_pipe(err)) {
        close_fd(out.read_end);
        close_fd(out.write_end);
        return result;
    }

    const pid_t pid = spawn_child(executable, arguments, out, err);
    // Only the child may keep the write ends open, so the readers see
    // end-of-file as soon as it (and whatever it started) has let go of them.
    close_fd(out.write_end);
    close_fd(err.write_end);

    result.started = pid > 0;
    if (result.started && !drain_and_wait(pid, out, err, result, while_waiting)) {
        result.output.clear();
    }
    close_fd(out.read_end);
    close_fd(err.read_end);
    return result;
}

} // namespace

bool process_failed(const ProcessResult& result)
{
    return !result.started || !result.exited || result.exit_code != 0;
}

ProcessResult run_process_with_status(const std::string& executable, const TextList& arguments)
{
    return run_child(executable, arguments, nullptr);
}

ProcessResult run_process_while_waiting(const std::string& executable, const TextList& arguments,
                                        void (*while_waiting)())
{
    return run_child(executable, arguments, while_waiting);
}

std::string run_process(const std::string& executable, const TextList& arguments)
{
    return run_process_with_status(executable, arguments).output;
}

std::string current_directory()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    if (error) return std::string();
    return path.generic_string() + "\n";
}
