#include "run_log.h"

#include "evaluator.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

std::int64_t wall_clock_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void append_run_log(const RunRecord& record)
{
    const char* path = std::getenv("PLIM_STANDIN_LOG");
    if (!path || !*path) return;
    std::string line = "pid=" + std::to_string(getpid()) +
                       " start_ms=" + std::to_string(record.start_ms) +
                       " end_ms=" + std::to_string(wall_clock_ms()) +
                       " read_bytes=" + std::to_string(record.bytes_read) + " args=";
    for (size_t i = 0; i < record.args.size(); ++i)
        line += (i ? " " : "") + record.args[i];
    line += "\n";
    const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return;
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        std::cerr << "plim: could not append to " << path << "\n";
    close(fd);
}

std::string environment_fault(const std::string& kind)
{
    const char* setting = std::getenv("PLIM_STANDIN_FAULT");
    const std::string text = setting ? setting : "";
    const std::string prefix = kind + ":";
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : "";
}

void crash_run(const RunRecord& record, std::string partial_output)
{
    while (!partial_output.empty() && partial_output.back() == '\n')
        partial_output.pop_back();
    std::cout << partial_output << std::flush;
    append_run_log(record);
    const rlimit no_core = {0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

void delay_run(long long ms)
{
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::clamp<long long>(ms, 0, kMaxDelayMs)));
}
