#pragma once

// The stand-in kernel's run log (PLIM_STANDIN_LOG): one line per run,
// "pid=P start_ms=S end_ms=E read_bytes=B args=A1 A2 ...", appended whole by
// each run. Tests judge overlap and argument lists from it, never from their
// own clock.

#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct StandinRun {
    long long start_ms = 0;
    long long end_ms = 0;
    TextList arguments;
};

inline std::vector<StandinRun> read_standin_log(const std::string& path)
{
    std::vector<StandinRun> runs;
    for (const std::string& line : split_text_skip_empty(read_text_file(path), '\n')) {
        StandinRun run;
        std::sscanf(line.c_str(), "pid=%*d start_ms=%lld end_ms=%lld", &run.start_ms, &run.end_ms);
        const std::size_t args = line.find("args=");
        if (args != std::string::npos) run.arguments = split_text(line.substr(args + 5), ' ');
        runs.push_back(run);
    }
    return runs;
}

// The most runs alive at one moment. A run ending in the millisecond another
// starts does not overlap it.
inline int most_overlapping_runs(const std::vector<StandinRun>& runs)
{
    std::vector<std::pair<long long, int>> events;
    for (const StandinRun& run : runs) {
        events.emplace_back(run.start_ms, +1);
        events.emplace_back(run.end_ms, -1);
    }
    std::sort(events.begin(), events.end());
    int alive = 0;
    int most = 0;
    for (const auto& event : events)
        most = std::max(most, alive += event.second);
    return most;
}

// Runs whose argument list holds `argument`.
inline int runs_naming(const std::vector<StandinRun>& runs, const std::string& argument)
{
    return static_cast<int>(std::count_if(runs.begin(), runs.end(), [&](const StandinRun& run) {
        return std::find(run.arguments.begin(), run.arguments.end(), argument) !=
               run.arguments.end();
    }));
}
