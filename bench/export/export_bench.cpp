// Each writer on meshes of one million triangles with normals and colours
// (the stand-in's closed torus as the reader gives it, and a wavy grid),
// every run to a fresh file, pairs timed in turns: the binary writers beside
// one fwrite of the same bytes to a new file (CPU and wall time) and beside
// that fwrite into blocks reserved first (CPU), the text
// writers beside the export step of the assimp command line tool on the
// same mesh (its own reported export time, without its import).

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

#include <fcntl.h>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "bench/common/paired_runs.h"
#include "bench/common/standin_tori.h"
#include "kernel/interop_reader.h"
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

EntityList scene_of(Mesh* mesh)
{
    EntityList scene;
    if (mesh == nullptr) return scene;
    Entity entity = construct_entity();
    attach_mesh_to_entity(entity, mesh);
    scene.entities.push_back(std::move(entity));
    scene.count = 1;
    return scene;
}

// Argument 0: the stand-in's closed torus of 1M triangles as the reader
// gives it; 1: the wavy grid.
const EntityList& bench_scene(int which)
{
    static EntityList torus = [] {
        MeshList meshes = read_interop_file(standin_torus_file(1));
        return scene_of(meshes.empty() ? nullptr : meshes.front());
    }();
    static EntityList grid = scene_of(make_wavy_grid());
    return which == 0 ? torus : grid;
}

std::string output_path(const std::string& name)
{
    const auto directory = std::filesystem::path(PLIM_BINARY_DIR) / "bench-export";
    std::filesystem::create_directories(directory);
    return (directory / name).string();
}

using Writer = std::function<bool(const EntityList&, const std::string&)>;

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

// The same fwrite into a new file whose blocks were reserved first, as the
// writers reserve theirs on a disk file system: the floor of a writer that
// reserves, beside the plain fwrite the targets name.
bool write_with_reserved_fwrite(const std::string& path, const std::vector<char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fallocate(fileno(file), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size()));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
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

void remove_outputs(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        std::filesystem::remove(path);
}

struct WriterCase {
    const char* name;
    const char* file_name;
    Writer write;
    bool binary;
    const char* assimp_format; // null: assimp has no exporter of the form
};

// A binary writer against one fwrite of the same bytes to a new file, in
// CPU time (x_min, x_med) and wall time (wall_x_med); then, in rounds of
// their own, against that fwrite into reserved blocks (reserved_x_min,
// reserved_x_med). Each run writes a fresh file.
void binary_writer_vs_fwrite(benchmark::State& state, const WriterCase& writer, int mesh)
{
    const EntityList& scene = bench_scene(mesh);
    const std::string path = output_path(writer.file_name);
    const std::string copy = path + ".fwrite";
    if (!writer.write(scene, path)) return state.SkipWithError("write failed");
    const std::vector<char> bytes = file_bytes(path);
    for (auto _ : state) {
        const PairRounds times = run_in_turns([&] { writer.write(scene, path); },
                                              [&] { write_with_one_fwrite(copy, bytes); },
                                              [&] { remove_outputs({path, copy}); });
        report_pair(state, times, "writer", "fwrite", true);
        std::vector<double> wall;
        for (std::size_t i = 0; i < times.first.size(); ++i)
            wall.push_back(times.first[i].wall / times.second[i].wall);
        state.counters["wall_x_med"] = median_of(wall);
        const PairRounds reserved =
            run_in_turns([&] { writer.write(scene, path); },
                         [&] { write_with_reserved_fwrite(copy, bytes); },
                         [&] { remove_outputs({path, copy}); });
        std::vector<double> ratios, writer_cpu, fwrite_cpu;
        for (std::size_t i = 0; i < reserved.first.size(); ++i) {
            writer_cpu.push_back(reserved.first[i].cpu);
            fwrite_cpu.push_back(reserved.second[i].cpu);
            ratios.push_back(writer_cpu.back() / fwrite_cpu.back());
        }
        state.counters["reserved_fwrite_ms_med"] = 1e3 * median_of(fwrite_cpu);
        state.counters["reserved_x_min"] = *std::min_element(writer_cpu.begin(), writer_cpu.end()) /
                                           *std::min_element(fwrite_cpu.begin(), fwrite_cpu.end());
        state.counters["reserved_x_med"] = median_of(ratios);
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    remove_outputs({path, copy});
}

// A text writer against assimp's export step alone (its own reported time,
// without its import of the binary PLY it is given), in turns; x_min and
// x_med are assimp's time over the writer's, so larger is faster.
void text_writer_vs_assimp(benchmark::State& state, const WriterCase& writer, int mesh)
{
    const EntityList& scene = bench_scene(mesh);
    const std::string path = output_path(writer.file_name);
    const std::string source = output_path("assimp_source.ply");
    if (!write_ply(scene, source, 3, true, true, true)) return state.SkipWithError("write failed");
    const std::string target = output_path(std::string("assimp_out.") + writer.assimp_format);
    const std::string command = "assimp export '" + source + "' '" + target + "' -f" +
                                writer.assimp_format + " 2>&1";
    PairRounds times;
    double megabytes = 0.0;
    for (auto _ : state) {
        for (int round = 0; round < kPairRounds; ++round) {
            remove_outputs({path, target});
            times.second.push_back(spend([&] { writer.write(scene, path); }));
            megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
            remove_outputs({path, target});
            const double seconds = assimp_export_seconds(command);
            if (seconds < 0.0) return state.SkipWithError("assimp export failed");
            times.first.push_back(Spent{seconds, seconds});
        }
        report_pair(state, times, "assimp_export", "writer");
    }
    state.counters["MB"] = megabytes;
    remove_outputs({source});
    // The OBJ exporter adds a material file beside its output.
    for (const auto& entry : std::filesystem::directory_iterator(output_path(""))) {
        if (entry.path().stem() == "assimp_out") std::filesystem::remove(entry.path());
    }
}

// A writer with no counterpart: its time alone, on fresh files.
void writer_alone(benchmark::State& state, const WriterCase& writer, int mesh)
{
    const EntityList& scene = bench_scene(mesh);
    const std::string path = output_path(writer.file_name);
    std::vector<double> seconds;
    for (auto _ : state) {
        for (int round = 0; round < kPairRounds; ++round) {
            remove_outputs({path});
            seconds.push_back(spend([&] { writer.write(scene, path); }).wall);
        }
    }
    // The last run's file stays until its size is taken.
    state.counters["writer_ms_min"] = 1e3 * *std::min_element(seconds.begin(), seconds.end());
    state.counters["writer_ms_med"] = 1e3 * median_of(seconds);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    remove_outputs({path});
}

const WriterCase kWriters[] = {
    {"obj", "mesh.obj", [](auto& l, auto& f) { return write_obj(l, f, 3, true, true); }, false,
     "obj"},
    {"off_text", "mesh.off",
     [](auto& l, auto& f) { return write_off(l, f, 3, true, true, false); }, false, nullptr},
    {"ply_ascii", "mesh.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, false); }, false, "ply"},
    {"stl_ascii", "mesh.stl", [](auto& l, auto& f) { return write_stl(l, f, false); }, false,
     "stl"},
    {"off_binary", "mesh_binary.off",
     [](auto& l, auto& f) { return write_off(l, f, 3, true, true, true); }, true, nullptr},
    {"ply_binary", "mesh_binary.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, true); }, true, nullptr},
    {"stl_binary", "mesh_binary.stl", [](auto& l, auto& f) { return write_stl(l, f, true); }, true,
     nullptr},
};

const bool kRegistered = [] {
    const char* const mesh_names[] = {"torus_1m", "grid_1m"};
    for (int mesh = 0; mesh < 2; ++mesh) {
        for (const WriterCase& writer : kWriters) {
            const std::string name = std::string(writer.name) + "/" + mesh_names[mesh];
            benchmark::internal::Benchmark* registered =
                writer.binary ? benchmark::RegisterBenchmark(("vs_fwrite/" + name).c_str(),
                                                             binary_writer_vs_fwrite, writer, mesh)
                : writer.assimp_format != nullptr
                    ? benchmark::RegisterBenchmark(("vs_assimp/" + name).c_str(),
                                                   text_writer_vs_assimp, writer, mesh)
                    : benchmark::RegisterBenchmark(("alone/" + name).c_str(), writer_alone,
                                                   writer, mesh);
            registered->Iterations(1)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
