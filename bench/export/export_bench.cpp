// Each writer on a mesh of one million triangles with normals and colours:
// time and throughput, beside the same mesh exported by the assimp command
// line tool and beside writing each binary file's bytes with one fwrite.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "model/entity.h"
#include "model/mesh.h"

namespace {

// 1000 x 500 quads: 500,000 polygons, 1,000,000 triangles, 501,501 vertices.
constexpr std::uint32_t kColumns = 1000;
constexpr std::uint32_t kRows = 500;

Mesh* make_wavy_grid()
{
    const std::uint32_t width = kColumns + 1;
    const std::uint32_t height = kRows + 1;
    auto* positions = new F64Array;
    auto* normals = new F64Array;
    auto* colours = new F64Array;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const double u = x * 0.01;
            const double v = y * 0.01;
            const double z = 0.1 * std::sin(3.0 * u) * std::cos(2.0 * v);
            positions->insert(positions->end(), {u, v, z});
            const double nx = -0.3 * std::cos(3.0 * u) * std::cos(2.0 * v);
            const double ny = 0.2 * std::sin(3.0 * u) * std::sin(2.0 * v);
            const double length = std::sqrt(nx * nx + ny * ny + 1.0);
            normals->insert(normals->end(), {nx / length, ny / length, 1.0 / length});
            colours->insert(colours->end(), {u / 10.0, v / 5.0, 0.5 + z, 1.0});
        }
    }
    auto* stream = new U32Array{kColumns * kRows};
    stream->insert(stream->end(), kColumns * kRows, 4);
    auto* triangles = new U32Array;
    for (std::uint32_t y = 0; y < kRows; ++y) {
        for (std::uint32_t x = 0; x < kColumns; ++x) {
            const std::uint32_t a = y * width + x;
            const std::uint32_t b = a + 1, c = a + width + 1, d = a + width;
            stream->insert(stream->end(), {a, b, c, d});
            triangles->insert(triangles->end(), {a, b, c, a, c, d});
        }
    }
    Mesh* mesh = construct_mesh(positions, stream, 0, 3);
    mesh->normal_data = normals;
    mesh->polygon_normals = new F64Array(*normals);
    mesh->vertex_colours = colours;
    mesh->triangle_indices = triangles;
    return mesh;
}

const EntityList& grid_scene()
{
    static EntityList list = [] {
        EntityList scene;
        Entity entity = construct_entity();
        attach_mesh_to_entity(entity, make_wavy_grid());
        scene.entities.push_back(std::move(entity));
        scene.count = 1;
        return scene;
    }();
    return list;
}

std::string output_path(const std::string& name)
{
    const auto directory = std::filesystem::path(PLIM_BINARY_DIR) / "bench-export";
    std::filesystem::create_directories(directory);
    return (directory / name).string();
}

using Writer = std::function<bool(const EntityList&, const std::string&)>;

void run_writer(benchmark::State& state, const std::string& name, const Writer& write)
{
    const EntityList& scene = grid_scene();
    const std::string path = output_path(name);
    for (auto _ : state) {
        if (!write(scene, path)) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

// The same byte count as a writer's file, written with one fwrite.
void run_single_fwrite(benchmark::State& state, const std::string& name, const Writer& write)
{
    const std::string source = output_path(name);
    if (!write(grid_scene(), source)) state.SkipWithError("write failed");
    std::ifstream in(source, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    const std::string path = output_path("fwrite_" + name);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::filesystem::remove(source);
    std::filesystem::remove(path);
}

// assimp reads the binary PLY of the same mesh and writes the format.
void run_assimp_export(benchmark::State& state, const std::string& format)
{
    const std::string source = output_path("assimp_source.ply");
    if (!write_ply(grid_scene(), source, 3, true, true, true)) state.SkipWithError("write failed");
    const std::string target = output_path("assimp_out." + format);
    const std::string command =
        "assimp export '" + source + "' '" + target + "' -f" + format + " >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("assimp export failed");
    }
    if (std::filesystem::exists(target)) {
        state.SetBytesProcessed(state.iterations() *
                                static_cast<std::int64_t>(std::filesystem::file_size(target)));
    }
    std::filesystem::remove(source);
    // The OBJ exporter adds a material file beside its output.
    for (const auto& entry : std::filesystem::directory_iterator(output_path(""))) {
        if (entry.path().stem() == "assimp_out") std::filesystem::remove(entry.path());
    }
}

struct WriterCase {
    const char* name;
    const char* file_name;
    Writer write;
    bool binary;
};

const WriterCase kWriters[] = {
    {"obj", "grid.obj", [](auto& l, auto& f) { return write_obj(l, f, 3, true, true); }, false},
    {"off_text", "grid.off", [](auto& l, auto& f) { return write_off(l, f, 3, true, true, false); },
     false},
    {"ply_ascii", "grid.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, false); }, false},
    {"stl_ascii", "grid.stl", [](auto& l, auto& f) { return write_stl(l, f, false); }, false},
    {"off_binary", "grid_binary.off",
     [](auto& l, auto& f) { return write_off(l, f, 3, true, true, true); }, true},
    {"ply_binary", "grid_binary.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, true); }, true},
    {"stl_binary", "grid_binary.stl", [](auto& l, auto& f) { return write_stl(l, f, true); }, true},
};

// assimp has no OFF exporter; "assbin" (its own binary dump) shows what
// loading the source costs it.
const char* const kAssimpFormats[] = {"obj", "ply", "stl", "plyb", "stlb", "assbin"};

const bool kRegistered = [] {
    for (const WriterCase& writer : kWriters) {
        benchmark::RegisterBenchmark((std::string("write/") + writer.name).c_str(), run_writer,
                                     std::string(writer.file_name), writer.write)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (!writer.binary) continue;
        benchmark::RegisterBenchmark((std::string("one_fwrite/") + writer.name).c_str(),
                                     run_single_fwrite, std::string(writer.file_name), writer.write)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const char* format : kAssimpFormats) {
        benchmark::RegisterBenchmark((std::string("assimp_export/") + format).c_str(),
                                     run_assimp_export, std::string(format))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(2);
    }
    return true;
}();

} // namespace
