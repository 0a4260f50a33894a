// The interop reader on a grid of 708 x 708 vertices (999,698 triangles,
// quads as polygons, per-vertex normals and palette colours, face ids),
// with and without edge lists, against reading the same file's bytes.

#include "kernel/interop_reader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

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

void BM_PlainRead(benchmark::State& state)
{
    const std::string path = write_grid_file(state.range(0) != 0);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size));
        benchmark::DoNotOptimize(std::fread(bytes.get(), 1, static_cast<std::size_t>(size), file));
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.get());
        state.SetBytesProcessed(state.bytes_processed() + size);
    }
}

void BM_ReadInteropFile(benchmark::State& state)
{
    const std::string path = write_grid_file(state.range(0) != 0);
    for (auto _ : state) {
        MeshList meshes = read_interop_file(path);
        if (meshes.size() != 1) state.SkipWithError("the grid file did not read");
        benchmark::DoNotOptimize(meshes.data());
        release_meshes(meshes);
    }
}

} // namespace

// Argument 1: the file also carries edge lists in its index groups.
BENCHMARK(BM_PlainRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadInteropFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
