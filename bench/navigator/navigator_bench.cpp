// Listing a directory of 10,000 files, and the navigator's rows rebuilt for
// them; the cursor's jumps to the first and last row over the same rows.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "state/application.h"
#include "panels/dir_listing.h"
#include "panels/file_navigator.h"
#include "platform/directory_listing.h"

namespace {

constexpr int FILE_COUNT = 10000;

const std::string& bench_directory()
{
    static const std::string directory = [] {
        const auto root = std::filesystem::temp_directory_path() /
                          ("plim_navigator_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        for (int i = 0; i < FILE_COUNT; ++i)
            std::ofstream(root / ("script_" + std::to_string(i) + ".plim")) << i;
        return root.string() + "/";
    }();
    return directory;
}

void remove_bench_directory()
{
    std::filesystem::remove_all(bench_directory());
}

void BM_ListDirectory(benchmark::State& state)
{
    for (auto _ : state) {
        FileNavigator navigator;
        fill_navigator_entries(navigator,
                               parse_dir_listing(produce_directory_listing(bench_directory())));
        benchmark::DoNotOptimize(navigator.entries.data());
    }
}
BENCHMARK(BM_ListDirectory)->Unit(benchmark::kMillisecond);

std::string cached_listing(const std::string& directory)
{
    static const std::string listing = produce_directory_listing(directory);
    return listing;
}

void BM_RebuildRows(benchmark::State& state)
{
    auto app = std::make_unique<Application>();
    app->navigator.listing_producer = cached_listing;
    app->navigator.executable_test = nullptr;
    for (auto _ : state)
        list_directory(*app, bench_directory());
}
BENCHMARK(BM_RebuildRows)->Unit(benchmark::kMillisecond);

void BM_CursorFirstAndLast(benchmark::State& state)
{
    auto app = std::make_unique<Application>();
    app->navigator.listing_producer = cached_listing;
    app->navigator.list_viewport = 640;
    list_directory(*app, bench_directory());
    for (auto _ : state) {
        navigator_cursor_last(*app);
        navigator_cursor_first(*app);
    }
}
BENCHMARK(BM_CursorFirstAndLast)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    remove_bench_directory();
    return 0;
}
