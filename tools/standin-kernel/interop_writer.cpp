#include "interop_writer.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace {

constexpr const char* kLabelNames[] = {"panel", "rim", "cap"};

struct ByteWriter {
    std::string bytes;

    void u8(std::uint8_t value) { bytes += static_cast<char>(value); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void f64(double value)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(static_cast<std::uint32_t>(bits));
        u32(static_cast<std::uint32_t>(bits >> 32));
    }
    void indices(const std::vector<std::uint32_t>& values, bool wide)
    {
        for (std::uint32_t value : values)
            wide ? u32(value) : u16(static_cast<std::uint16_t>(value));
    }
};

// A compressed list of vertex indices grouped by polygon: a header of value
// counts, the polygons' corner tables, and local indices into each table.
struct IndexGroup {
    std::int32_t items = 0;
    std::vector<std::uint32_t> values;
    std::vector<std::uint32_t> counts;
    std::vector<std::uint16_t> locals;
};

IndexGroup build_group(const Mesh& mesh, const std::vector<std::vector<std::uint16_t>>& locals_per_polygon)
{
    IndexGroup group;
    const size_t count = mesh.polygons.size();
    group.items = static_cast<std::int32_t>(count);
    group.values.push_back(0);
    group.counts.push_back(0);
    for (const auto& polygon : mesh.polygons)
        group.values.push_back(static_cast<std::uint32_t>(polygon.size()));
    for (size_t p = 0; p < count; ++p) {
        group.values.insert(group.values.end(), mesh.polygons[p].begin(), mesh.polygons[p].end());
        group.counts.push_back(static_cast<std::uint32_t>(locals_per_polygon[p].size()));
        group.locals.insert(group.locals.end(), locals_per_polygon[p].begin(), locals_per_polygon[p].end());
    }
    if (group.locals.empty())
        return IndexGroup{};
    return group;
}

std::uint64_t edge_key(std::uint32_t a, std::uint32_t b)
{
    return (static_cast<std::uint64_t>(std::min(a, b)) << 32) | std::max(a, b);
}

// The four groups: J the polygon loops, K the polygon outlines, L the fan
// triangles' edges, M the open edges (used by one polygon only).
struct EdgeGroups {
    IndexGroup loops, outlines, triangle_edges, open_edges;
};

EdgeGroups build_edge_groups(const Mesh& mesh)
{
    std::map<std::uint64_t, int> uses;
    for (const auto& polygon : mesh.polygons)
        for (size_t i = 0; i < polygon.size(); ++i)
            ++uses[edge_key(polygon[i], polygon[(i + 1) % polygon.size()])];
    std::vector<std::vector<std::uint16_t>> loops, outlines, fans, open;
    for (const auto& polygon : mesh.polygons) {
        const auto n = static_cast<std::uint16_t>(polygon.size());
        std::vector<std::uint16_t> loop, outline, fan, edges;
        for (std::uint16_t i = 0; i < n; ++i) {
            const auto next = static_cast<std::uint16_t>((i + 1) % n);
            loop.push_back(i);
            outline.insert(outline.end(), {i, next});
            if (uses[edge_key(polygon[i], polygon[next])] == 1)
                edges.insert(edges.end(), {i, next});
        }
        for (std::uint16_t i = 1; i + 1 < n; ++i)
            fan.insert(fan.end(), {0, i, i, static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(i + 1), 0});
        loops.push_back(loop);
        outlines.push_back(outline);
        fans.push_back(fan);
        open.push_back(edges);
    }
    return {build_group(mesh, loops), build_group(mesh, outlines), build_group(mesh, fans), build_group(mesh, open)};
}

// The vertex index pairs a group's locals stand for.
std::vector<std::uint32_t> plain_pairs(const IndexGroup& group)
{
    std::vector<std::uint32_t> pairs;
    size_t base = static_cast<size_t>(group.items) + 1;
    size_t local = 0;
    for (std::int32_t k = 0; k < group.items; ++k) {
        for (std::uint32_t i = 0; i < group.counts[k + 1]; ++i)
            pairs.push_back(group.values[base + group.locals[local + i]]);
        base += group.values[k + 1];
        local += group.counts[k + 1];
    }
    return pairs;
}

struct Triangles {
    std::vector<std::uint32_t> corners;
    std::vector<std::uint32_t> polygons;
};

Triangles triangulate(const Mesh& mesh)
{
    Triangles triangles;
    for (size_t p = 0; p < mesh.polygons.size(); ++p) {
        const auto& polygon = mesh.polygons[p];
        for (size_t i = 1; i + 1 < polygon.size(); ++i) {
            triangles.corners.insert(triangles.corners.end(), {polygon[0], polygon[i], polygon[i + 1]});
            triangles.polygons.push_back(static_cast<std::uint32_t>(p));
        }
    }
    return triangles;
}

struct Palette {
    std::vector<Rgba> colours;
    std::vector<std::uint32_t> vertex_indices;
};

// Distinct colours in order of first use, padded with a grey ramp.
Palette build_palette(const Mesh& mesh, int padded_size)
{
    Palette palette;
    std::map<Rgba, std::uint32_t> known;
    for (const Rgba& colour : mesh.colours) {
        auto found = known.emplace(colour, static_cast<std::uint32_t>(palette.colours.size()));
        if (found.second)
            palette.colours.push_back(colour);
        palette.vertex_indices.push_back(found.first->second);
    }
    for (int i = static_cast<int>(palette.colours.size()); i < padded_size; ++i) {
        const double level = (i % 1000) / 1000.0;
        palette.colours.push_back({level, level, level, 1.0});
    }
    return palette;
}

void write_colour_index(ByteWriter& out, std::uint32_t index, size_t palette_size)
{
    if (palette_size < 256)
        out.u8(static_cast<std::uint8_t>(index));
    else if (palette_size < 65536)
        out.u16(static_cast<std::uint16_t>(index));
    else
        out.u32(index);
}

// Minimum, maximum, centre, mean and extent, `dimension` values each.
std::vector<double> bounds_of(const Mesh& mesh, int dimension)
{
    std::vector<double> low(dimension, 0.0), high(dimension, 0.0), mean(dimension, 0.0);
    for (size_t v = 0; v < mesh.positions.size(); ++v)
        for (int a = 0; a < dimension; ++a) {
            const double x = mesh.positions[v][a];
            low[a] = v == 0 ? x : std::min(low[a], x);
            high[a] = v == 0 ? x : std::max(high[a], x);
            mean[a] += x / static_cast<double>(mesh.positions.size());
        }
    std::vector<double> bounds = low;
    bounds.insert(bounds.end(), high.begin(), high.end());
    for (int a = 0; a < dimension; ++a)
        bounds.push_back((low[a] + high[a]) / 2);
    bounds.insert(bounds.end(), mean.begin(), mean.end());
    for (int a = 0; a < dimension; ++a)
        bounds.push_back(high[a] - low[a]);
    return bounds;
}

bool has_fault(const MeshRecord& record, const char* fault)
{
    return std::find(record.stubs.faults.begin(), record.stubs.faults.end(), fault) != record.stubs.faults.end();
}

void write_group(ByteWriter& out, const IndexGroup& group)
{
    for (std::uint32_t value : group.values)
        out.u32(value);
    if (!group.locals.empty())
        for (std::uint32_t count : group.counts)
            out.u32(count);
    for (std::uint16_t local : group.locals)
        out.u16(local);
}

std::string encode_empty_record()
{
    std::int32_t header[kHeaderFields] = {};
    header[3] = 3;
    header[17] = 1;
    ByteWriter out;
    for (std::int32_t field : header)
        out.u32(static_cast<std::uint32_t>(field));
    return out.bytes;
}

}  // namespace

std::string encode_int32(std::int32_t value)
{
    ByteWriter out;
    out.u32(static_cast<std::uint32_t>(value));
    return out.bytes;
}

std::string encode_mesh_record(const MeshRecord& record)
{
    if (!record.mesh)
        return encode_empty_record();
    const Mesh& mesh = *record.mesh;
    const StubSettings& stubs = record.stubs;
    const int dimension = stubs.dimension2 ? 2 : 3;
    const size_t vertex_count = mesh.positions.size();
    const bool wide = !stubs.index16 || vertex_count > 65535;

    std::vector<std::uint32_t> index_stream = {static_cast<std::uint32_t>(mesh.polygons.size())};
    for (const auto& polygon : mesh.polygons)
        index_stream.push_back(static_cast<std::uint32_t>(polygon.size()));
    for (const auto& polygon : mesh.polygons)
        index_stream.insert(index_stream.end(), polygon.begin(), polygon.end());
    const Triangles triangles = triangulate(mesh);
    Palette palette = build_palette(mesh, stubs.palette);
    const std::vector<double> bounds = bounds_of(mesh, dimension);
    EdgeGroups groups = build_edge_groups(mesh);
    if (!wide)
        groups.loops = IndexGroup{};  // the index width selector doubles as J's item count
    else if (groups.loops.items == 0)
        groups.loops.items = 1;
    std::vector<std::uint32_t> edges_1 = plain_pairs(groups.outlines);
    const std::vector<std::uint32_t> edges_2 = plain_pairs(groups.triangle_edges);
    const std::vector<std::uint32_t> edges_3 = plain_pairs(groups.open_edges);

    if (has_fault(record, "colour-oob") && !palette.vertex_indices.empty())
        palette.vertex_indices[0] = static_cast<std::uint32_t>(palette.colours.size());
    if (has_fault(record, "local-oob") && !groups.outlines.locals.empty())
        groups.outlines.locals[0] = 60000;
    if (has_fault(record, "odd-edges") && !groups.outlines.locals.empty()) {
        groups.outlines.locals.pop_back();
        groups.outlines.counts.back() -= 1;
        edges_1.pop_back();
    }

    std::string label_text;
    std::vector<std::uint32_t> label_offsets, label_lengths, label_ids;
    if (stubs.labels) {
        for (const char* name : kLabelNames) {
            label_offsets.push_back(static_cast<std::uint32_t>(label_text.size()));
            label_lengths.push_back(static_cast<std::uint32_t>(std::strlen(name)));
            label_text += name;
        }
        for (size_t p = 0; p < mesh.polygons.size(); ++p)
            label_ids.push_back(static_cast<std::uint32_t>(p % 3));
    }

    const auto count = [](size_t n) { return static_cast<std::int32_t>(n); };
    const auto polygon_count = count(mesh.polygons.size());
    const std::int32_t header[kHeaderFields] = {
        count(vertex_count * dimension), count(index_stream.size()), record.execute_mode, dimension,
        count(vertex_count * 3), count(palette.colours.size() * 4), count(bounds.size()),
        polygon_count, polygon_count, count(label_ids.size()), polygon_count,
        count(triangles.corners.size()), count(vertex_count), count(triangles.polygons.size()),
        count(edges_1.size()), count(edges_2.size()), count(edges_3.size()),
        groups.loops.items, count(groups.loops.values.size()), count(groups.loops.locals.size()),
        groups.outlines.items, count(groups.outlines.values.size()), count(groups.outlines.locals.size()),
        groups.triangle_edges.items, count(groups.triangle_edges.values.size()), count(groups.triangle_edges.locals.size()),
        groups.open_edges.items, count(groups.open_edges.values.size()), count(groups.open_edges.locals.size()),
        count(std::set<std::uint32_t>(mesh.operand_ids.begin(), mesh.operand_ids.end()).size()),
        stubs.skip, stubs.extra, 0, count(record.name.size()), count(label_offsets.size()), count(label_text.size())};

    ByteWriter out;
    for (int i = 0; i < kHeaderFields; ++i) {
        std::int32_t field = header[i];
        if (i == 0 && has_fault(record, "negative"))
            field = -std::max(field, 1);
        if (i == 3 && has_fault(record, "dim0"))
            field = 0;
        out.u32(static_cast<std::uint32_t>(field));
    }
    for (const Vec3& p : mesh.positions)
        for (int a = 0; a < dimension; ++a)
            out.f64(p[a]);
    out.indices(index_stream, wide);
    for (const Vec3& n : mesh.normals)
        for (double value : n)
            out.f64(value);
    for (const Rgba& colour : palette.colours)
        for (double value : colour)
            out.f64(value);
    if (!palette.colours.empty())
        for (std::uint32_t index : palette.vertex_indices)
            write_colour_index(out, index, palette.colours.size());
    for (double value : bounds)
        out.f64(value);
    using Ids = std::vector<std::uint32_t>;
    for (const Ids* ids : {&mesh.face_ids, &mesh.group_ids, static_cast<const Ids*>(&label_ids), &mesh.operand_ids})
        for (std::uint32_t id : *ids)
            out.u32(id);
    out.indices(triangles.corners, wide);
    for (std::int8_t sign : mesh.normal_signs)
        out.u8(static_cast<std::uint8_t>(sign));
    for (std::uint32_t polygon : triangles.polygons)
        out.u32(polygon);
    out.indices(edges_1, wide);
    out.indices(edges_2, wide);
    out.indices(edges_3, wide);
    for (const IndexGroup* group : {&groups.loops, &groups.outlines, &groups.triangle_edges, &groups.open_edges})
        write_group(out, *group);
    for (int i = 0; i < stubs.skip; ++i)
        out.u32(0xDEADBEEF);
    for (int i = 0; i < stubs.extra; ++i)
        out.u32(static_cast<std::uint32_t>(i));
    out.bytes += record.name;
    for (const Ids* words : {&label_offsets, &label_lengths})
        for (std::uint32_t word : *words)
            out.u32(word);
    out.bytes += label_text;
    return out.bytes;
}

std::string encode_interop_file(const std::vector<MeshRecord>& records)
{
    std::string bytes = encode_int32(static_cast<std::int32_t>(records.size()));
    for (const MeshRecord& record : records)
        bytes += encode_mesh_record(record);
    return bytes;
}
