// Each writer on a mesh of one million triangles with normals and colours:
// time and throughput, beside the export step of the assimp command line tool
// on the same mesh (its own reported export time, without its import), and
// for the binary writers their ratio to writing the same bytes with one
// fwrite, in CPU time and in wall time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <time.h>

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

// Wall and CPU seconds spent on one piece of work.
struct Spent {
    double wall = 0.0;
    double cpu = 0.0;
};

double cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

template <typename Work> Spent measure(Work&& work)
{
    const auto wall_start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    work();
    const double cpu = cpu_seconds() - cpu_start;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
    return {wall.count(), cpu};
}

std::vector<char> file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool write_with_one_fwrite(const std::string& path, const std::vector<char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// How many times longer the writer takes than one fwrite of its bytes, over
// as many runs of each.
void report_fwrite_ratio(benchmark::State& state, const std::string& path, const Spent& writer)
{
    const std::vector<char> bytes = file_bytes(path);
    const std::string copy = path + ".fwrite";
    Spent fwrite_total;
    for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) {
        const Spent one = measure([&] { write_with_one_fwrite(copy, bytes); });
        fwrite_total.wall += one.wall;
        fwrite_total.cpu += one.cpu;
    }
    std::filesystem::remove(copy);
    if (fwrite_total.wall > 0.0) state.counters["wall_x_fwrite"] = writer.wall / fwrite_total.wall;
    if (fwrite_total.cpu > 0.0) state.counters["cpu_x_fwrite"] = writer.cpu / fwrite_total.cpu;
}

void run_writer(benchmark::State& state, const std::string& name, const Writer& write,
                bool binary)
{
    const EntityList& scene = grid_scene();
    const std::string path = output_path(name);
    Spent spent;
    for (auto _ : state) {
        const Spent one = measure([&] {
            if (!write(scene, path)) state.SkipWithError("write failed");
        });
        spent.wall += one.wall;
        spent.cpu += one.cpu;
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    if (binary) report_fwrite_ratio(state, path, spent);
    std::filesystem::remove(path);
}

// The seconds of assimp's own "export took approx. N seconds" line; -1 when
// the command fails or prints none.
double assimp_export_seconds(const std::string& command)
{
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return -1.0;
    double seconds = -1.0;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const char* found = std::strstr(line, "export took approx.");
        if (found != nullptr) std::sscanf(found, "export took approx. %lf", &seconds);
    }
    return pclose(pipe) == 0 ? seconds : -1.0;
}

// assimp reads the binary PLY of the same mesh and writes the format; only
// its export step is timed, as it reports it, so its import of the PLY does
// not count against it.
void run_assimp_export(benchmark::State& state, const std::string& format)
{
    const std::string source = output_path("assimp_source.ply");
    if (!write_ply(grid_scene(), source, 3, true, true, true)) state.SkipWithError("write failed");
    const std::string target = output_path("assimp_out." + format);
    const std::string command =
        "assimp export '" + source + "' '" + target + "' -f" + format + " 2>&1";
    for (auto _ : state) {
        const double seconds = assimp_export_seconds(command);
        if (seconds < 0.0) {
            state.SkipWithError("assimp export failed");
            break;
        }
        state.SetIterationTime(seconds);
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

// assimp has no OFF exporter; "assbin" is its own binary dump.
const char* const kAssimpFormats[] = {"obj", "ply", "stl", "plyb", "stlb", "assbin"};

const bool kRegistered = [] {
    for (const WriterCase& writer : kWriters) {
        benchmark::RegisterBenchmark((std::string("write/") + writer.name).c_str(), run_writer,
                                     std::string(writer.file_name), writer.write, writer.binary)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const char* format : kAssimpFormats) {
        benchmark::RegisterBenchmark((std::string("assimp_export/") + format).c_str(),
                                     run_assimp_export, std::string(format))
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(2);
    }
    return true;
}();

} // namespace
