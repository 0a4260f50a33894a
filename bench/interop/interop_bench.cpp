// The interop reader against read() of the same file, in turns: on a grid
// of 708 x 708 vertices (999,698 triangles, quads as polygons, per-vertex
// normals and palette colours, face ids, edge lists) and on the closed tori
// of about 1 and 4 million triangles the stand-in kernel makes; with the
// reader's peak memory growth beside the file size.

#include "kernel/interop_reader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "bench/common/paired_runs.h"
#include "bench/common/standin_tori.h"

namespace {

constexpr std::uint32_t k_side = 708;

struct FileWriter {
    std::vector<std::uint8_t> bytes;

    void u8(std::uint8_t value) { bytes.push_back(value); }
    void u16(std::uint16_t value)
    {
        u8(value & 0xFF);
        u8(value >> 8);
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    void f64(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, 8);
        u32(static_cast<std::uint32_t>(bits));
        u32(static_cast<std::uint32_t>(bits >> 32));
    }
};

std::uint32_t vertex_at(std::uint32_t row, std::uint32_t column)
{
    return row * k_side + column;
}

// Each edge is its own group item: two values, both local indices.
void write_edge_group(FileWriter& file, const std::vector<std::uint32_t>& pairs)
{
    const std::uint32_t items = static_cast<std::uint32_t>(pairs.size() / 2);
    file.u32(0);
    for (std::uint32_t k = 0; k < items; ++k)
        file.u32(2);
    for (std::uint32_t v : pairs)
        file.u32(v);
    file.u32(0);
    for (std::uint32_t k = 0; k < items; ++k)
        file.u32(2);
    for (std::uint32_t k = 0; k < items; ++k) {
        file.u16(0);
        file.u16(1);
    }
}

std::vector<std::uint8_t> grid_file(bool with_edges)
{
    const std::uint32_t vertices = k_side * k_side;
    const std::uint32_t quads = (k_side - 1) * (k_side - 1);
    std::vector<std::uint32_t> sides;
    std::vector<std::uint32_t> diagonals;
    for (std::uint32_t r = 0; r + 1 < k_side; ++r) {
        for (std::uint32_t c = 0; c + 1 < k_side; ++c) {
            sides.insert(sides.end(), {vertex_at(r, c), vertex_at(r, c + 1), vertex_at(r, c),
                                       vertex_at(r + 1, c)});
            diagonals.insert(diagonals.end(), {vertex_at(r, c), vertex_at(r + 1, c + 1)});
        }
    }
    const auto group_values = [](const std::vector<std::uint32_t>& pairs) {
        return static_cast<std::int32_t>(1 + pairs.size() / 2 + pairs.size());
    };

    std::int32_t header[37] = {};
    header[1] = static_cast<std::int32_t>(3 * vertices);
    header[2] = static_cast<std::int32_t>(1 + 5 * quads);
    header[4] = 3;
    header[5] = static_cast<std::int32_t>(3 * vertices);
    header[6] = 4;
    header[8] = static_cast<std::int32_t>(quads);
    header[12] = static_cast<std::int32_t>(6 * quads);
    header[14] = static_cast<std::int32_t>(2 * quads);
    header[18] = 1;
    if (with_edges) {
        header[21] = static_cast<std::int32_t>(sides.size() / 2);
        header[22] = group_values(sides);
        header[23] = static_cast<std::int32_t>(sides.size());
        header[27] = static_cast<std::int32_t>(diagonals.size() / 2);
        header[28] = group_values(diagonals);
        header[29] = static_cast<std::int32_t>(diagonals.size());
    }

    FileWriter file;
    file.u32(1);
    for (int h = 1; h <= 36; ++h)
        file.u32(static_cast<std::uint32_t>(header[h]));
    for (std::uint32_t r = 0; r < k_side; ++r) {
        for (std::uint32_t c = 0; c < k_side; ++c) {
            file.f64(c);
            file.f64(r);
            file.f64(0.0);
        }
    }
    file.u32(quads);
    for (std::uint32_t r = 0; r + 1 < k_side; ++r) {
        for (std::uint32_t c = 0; c + 1 < k_side; ++c) {
            file.u32(4);
            for (std::uint32_t v : {vertex_at(r, c), vertex_at(r, c + 1), vertex_at(r + 1, c + 1),
                                    vertex_at(r + 1, c)})
                file.u32(v);
        }
    }
    for (std::uint32_t v = 0; v < vertices; ++v) {
        file.f64(0.0);
        file.f64(0.0);
        file.f64(1.0);
    }
    for (double channel : {0.8, 0.8, 0.8, 1.0})
        file.f64(channel);
    for (std::uint32_t v = 0; v < vertices; ++v)
        file.u8(0);
    for (std::uint32_t q = 0; q < quads; ++q)
        file.u32(q);
    for (std::uint32_t r = 0; r + 1 < k_side; ++r) {
        for (std::uint32_t c = 0; c + 1 < k_side; ++c) {
            for (std::uint32_t v : {vertex_at(r, c), vertex_at(r, c + 1), vertex_at(r + 1, c + 1),
                                    vertex_at(r, c), vertex_at(r + 1, c + 1), vertex_at(r + 1, c)})
                file.u32(v);
        }
    }
    for (std::uint32_t q = 0; q < quads; ++q) {
        file.u32(q);
        file.u32(q);
    }
    if (with_edges) {
        write_edge_group(file, sides);
        write_edge_group(file, diagonals);
    }
    return file.bytes;
}

std::string write_grid_file(bool with_edges)
{
    const std::string path = std::string(PLIM_BINARY_DIR) +
                             (with_edges ? "/bench_grid_edges.interop" : "/bench_grid.interop");
    const std::vector<std::uint8_t> bytes = grid_file(with_edges);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

// The bytes of the file with read() into fresh memory: the floor of any reader.
void read_whole_file(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY);
    if (descriptor < 0) return;
    const off_t size = lseek(descriptor, 0, SEEK_END);
    lseek(descriptor, 0, SEEK_SET);
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size));
    for (off_t done = 0; done < size;) {
        const ssize_t got = read(descriptor, bytes.get() + done, static_cast<std::size_t>(size - done));
        if (got <= 0) break;
        done += got;
    }
    close(descriptor);
    benchmark::DoNotOptimize(bytes.get());
}

long status_kilobytes(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    return 0;
}

// Bytes the process's peak resident size rose above its size before `work`.
template <typename Work> double peak_growth_bytes(Work&& work)
{
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak restarts from the current size
    const long before = status_kilobytes("VmRSS:");
    work();
    return 1024.0 * static_cast<double>(status_kilobytes("VmHWM:") - before);
}

// read_interop_file against read() of the same file, in turns; the reader's
// and read()'s peak memory growth as multiples of the file size.
void compare_with_read(benchmark::State& state, const std::string& path)
{
    if (path.empty()) return state.SkipWithError("no input file");
    const double file_bytes = static_cast<double>(std::filesystem::file_size(path));
    const auto read_meshes = [&] {
        MeshList meshes = read_interop_file(path);
        if (meshes.size() != 1) state.SkipWithError("the file did not read");
        release_meshes(meshes);
    };
    for (auto _ : state) {
        const PairRounds times = run_in_turns(read_meshes, [&] { read_whole_file(path); }, [] {});
        report_pair(state, times, "reader", "read");
    }
    state.counters["reader_peak_x_file"] = peak_growth_bytes(read_meshes) / file_bytes;
    state.counters["read_peak_x_file"] = peak_growth_bytes([&] { read_whole_file(path); }) / file_bytes;
    state.counters["file_MB"] = file_bytes / 1e6;
}

} // namespace

BENCHMARK_CAPTURE(compare_with_read, grid_1m_with_edges, write_grid_file(true))
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(compare_with_read, torus_1m, standin_torus_file(1))
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(compare_with_read, torus_4m, standin_torus_file(4))
    ->Iterations(1)->Unit(benchmark::kMillisecond);
