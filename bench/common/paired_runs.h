#pragma once

// Two pieces of work timed in turns, first then second, round after round,
// so that the other loads of a shared machine slow both alike. The report
// gives each side's fastest and median time and the ratio first / second as
// the ratio of the fastest times and as the median of the rounds' ratios.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <time.h>

// At least seven rounds, so the median stands on more than a few.
inline constexpr int kPairRounds = 7;

inline double cpu_seconds_now()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Wall and process CPU seconds of one call.
struct Spent {
    double wall = 0.0;
    double cpu = 0.0;
};

template <typename Work> Spent spend(Work&& work)
{
    const auto wall_start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds_now();
    work();
    const double cpu = cpu_seconds_now() - cpu_start;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
    return {wall.count(), cpu};
}

struct PairRounds {
    std::vector<Spent> first;
    std::vector<Spent> second;
};

// `prepare` runs before every timed call, untimed (fresh output files, a
// mesh marked for upload again).
template <typename First, typename Second, typename Prepare>
PairRounds run_in_turns(First&& first, Second&& second, Prepare&& prepare,
                        int rounds = kPairRounds)
{
    PairRounds times;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        times.first.push_back(spend(first));
        prepare();
        times.second.push_back(spend(second));
    }
    return times;
}

inline double median_of(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

// Counters "<name>_ms_min", "<name>_ms_med" for both sides and
// "x_min" (fastest / fastest), "x_med" (median of the rounds' ratios), in
// wall time, or in CPU time with `cpu`.
inline void report_pair(benchmark::State& state, const PairRounds& times, const std::string& first,
                        const std::string& second, bool cpu = false)
{
    const auto seconds = [cpu](const Spent& s) { return cpu ? s.cpu : s.wall; };
    std::vector<double> a, b, ratios;
    for (std::size_t i = 0; i < times.first.size(); ++i) {
        a.push_back(seconds(times.first[i]));
        b.push_back(seconds(times.second[i]));
        if (b.back() > 0.0) ratios.push_back(a.back() / b.back());
    }
    if (a.empty()) return;
    const double a_min = *std::min_element(a.begin(), a.end());
    const double b_min = *std::min_element(b.begin(), b.end());
    state.counters[first + "_ms_min"] = 1e3 * a_min;
    state.counters[first + "_ms_med"] = 1e3 * median_of(a);
    state.counters[second + "_ms_min"] = 1e3 * b_min;
    state.counters[second + "_ms_med"] = 1e3 * median_of(b);
    if (b_min > 0.0) state.counters["x_min"] = a_min / b_min;
    state.counters["x_med"] = median_of(ratios);
}
