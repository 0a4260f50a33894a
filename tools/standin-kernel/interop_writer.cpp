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

IndexGroup build_group(const Mesh& mesh,
                       const std::vector<std::vector<std::uint16_t>>& locals_per_polygon)
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
        group.locals.insert(group.locals.end(), locals_per_polygon[p].begin(),
                            locals_per_polygon[p].end());
    }
    if (group.locals.empty()) return IndexGroup{};
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
            fan.insert(fan.end(), {0, i, i, static_cast<std::uint16_t>(i + 1),
                                   static_cast<std::uint16_t>(i + 1), 0});
        loops.push_back(loop);
        outlines.push_back(outline);
        fans.push_back(fan);
        open.push_back(edges);
    }
    return {build_group(mesh, loops), build_group(mesh, outlines), build_group(mesh, fans),
            build_group(mesh, open)};
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
            triangles.corners.insert(triangles.corners.end(),
                                     {polygon[0], polygon[i], polygon[i + 1]});
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
        if (found.second) palette.colours.push_back(colour);
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
    return std::find(record.stubs.faults.begin(), record.stubs.faults.end(), fault) !=
           record.stubs.faults.end();
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

// Every count 0, three values per vertex, and the 32-bit index selector set.
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

// Everything one record holds besides the mesh's own per-vertex arrays.
struct RecordContent {
    int dimension = 3;
    bool wide = true;
    std::vector<std::uint32_t> index_stream;
    Triangles triangles;
    Palette palette;
    std::vector<double> bounds;
    EdgeGroups groups;
    std::array<std::vector<std::uint32_t>, 3> plain_edges;
    std::vector<std::uint32_t> label_ids, label_offsets, label_lengths;
    std::string label_text;
};

std::vector<std::uint32_t> polygon_index_stream(const Mesh& mesh)
{
    std::vector<std::uint32_t> stream = {static_cast<std::uint32_t>(mesh.polygons.size())};
    for (const auto& polygon : mesh.polygons)
        stream.push_back(static_cast<std::uint32_t>(polygon.size()));
    for (const auto& polygon : mesh.polygons)
        stream.insert(stream.end(), polygon.begin(), polygon.end());
    return stream;
}

void add_labels(const Mesh& mesh, RecordContent& content)
{
    for (const char* name : kLabelNames) {
        content.label_offsets.push_back(static_cast<std::uint32_t>(content.label_text.size()));
        content.label_lengths.push_back(static_cast<std::uint32_t>(std::strlen(name)));
        content.label_text += name;
    }
    for (size_t p = 0; p < mesh.polygons.size(); ++p)
        content.label_ids.push_back(static_cast<std::uint32_t>(p % 3));
}

// The faults that spoil a record's arrays; the header faults come later.
void spoil_content(const MeshRecord& record, RecordContent& content)
{
    if (has_fault(record, "colour-oob") && !content.palette.vertex_indices.empty())
        content.palette.vertex_indices[0] =
            static_cast<std::uint32_t>(content.palette.colours.size());
    IndexGroup& outlines = content.groups.outlines;
    if (has_fault(record, "local-oob") && !outlines.locals.empty()) outlines.locals[0] = 60000;
    if (has_fault(record, "odd-edges") && !outlines.locals.empty()) {
        outlines.locals.pop_back();
        outlines.counts.back() -= 1;
        content.plain_edges[0].pop_back();
    }
}

RecordContent gather_content(const MeshRecord& record)
{
    const Mesh& mesh = *record.mesh;
    RecordContent content;
    content.dimension = record.stubs.dimension2 ? 2 : 3;
    content.wide = !record.stubs.index16 || mesh.positions.size() > 65535;
    content.index_stream = polygon_index_stream(mesh);
    content.triangles = triangulate(mesh);
    content.palette = build_palette(mesh, record.stubs.palette);
    content.bounds = bounds_of(mesh, content.dimension);
    content.groups = build_edge_groups(mesh);
    if (!content.wide)
        content.groups.loops = IndexGroup{}; // the index width selector doubles as J's item count
    else if (content.groups.loops.items == 0)
        content.groups.loops.items = 1;
    content.plain_edges = {plain_pairs(content.groups.outlines),
                           plain_pairs(content.groups.triangle_edges),
                           plain_pairs(content.groups.open_edges)};
    if (record.stubs.labels) add_labels(mesh, content);
    spoil_content(record, content);
    return content;
}

std::array<std::int32_t, kHeaderFields> header_of(const MeshRecord& record,
                                                  const RecordContent& content)
{
    const Mesh& mesh = *record.mesh;
    const auto count = [](size_t n) { return static_cast<std::int32_t>(n); };
    const std::int32_t vertices = count(mesh.positions.size());
    const std::int32_t polygons = count(mesh.polygons.size());
    const EdgeGroups& g = content.groups;
    const std::set<std::uint32_t> operands(mesh.operand_ids.begin(), mesh.operand_ids.end());
    std::array<std::int32_t, kHeaderFields> h = {vertices * content.dimension,
                                                 count(content.index_stream.size()),
                                                 record.execute_mode,
                                                 content.dimension,
                                                 vertices * 3,
                                                 count(content.palette.colours.size() * 4),
                                                 count(content.bounds.size()),
                                                 polygons,
                                                 polygons,
                                                 count(content.label_ids.size()),
                                                 polygons,
                                                 count(content.triangles.corners.size()),
                                                 vertices,
                                                 count(content.triangles.polygons.size()),
                                                 count(content.plain_edges[0].size()),
                                                 count(content.plain_edges[1].size()),
                                                 count(content.plain_edges[2].size()),
                                                 g.loops.items,
                                                 count(g.loops.values.size()),
                                                 count(g.loops.locals.size()),
                                                 g.outlines.items,
                                                 count(g.outlines.values.size()),
                                                 count(g.outlines.locals.size()),
                                                 g.triangle_edges.items,
                                                 count(g.triangle_edges.values.size()),
                                                 count(g.triangle_edges.locals.size()),
                                                 g.open_edges.items,
                                                 count(g.open_edges.values.size()),
                                                 count(g.open_edges.locals.size()),
                                                 count(operands.size()),
                                                 record.stubs.skip,
                                                 record.stubs.extra,
                                                 0,
                                                 count(record.name.size()),
                                                 count(content.label_offsets.size()),
                                                 count(content.label_text.size())};
    if (has_fault(record, "negative")) h[0] = -std::max(h[0], 1);
    if (has_fault(record, "dim0")) h[3] = 0;
    return h;
}

void write_arrays(ByteWriter& out, const MeshRecord& record, const RecordContent& content)
{
    const Mesh& mesh = *record.mesh;
    for (const Vec3& p : mesh.positions)
        for (int a = 0; a < content.dimension; ++a)
            out.f64(p[a]);
    out.indices(content.index_stream, content.wide);
    for (const Vec3& n : mesh.normals)
        for (double value : n)
            out.f64(value);
    for (const Rgba& colour : content.palette.colours)
        for (double value : colour)
            out.f64(value);
    if (!content.palette.colours.empty())
        for (std::uint32_t index : content.palette.vertex_indices)
            write_colour_index(out, index, content.palette.colours.size());
    for (double value : content.bounds)
        out.f64(value);
    for (const auto* ids : {&mesh.face_ids, &mesh.group_ids, &content.label_ids, &mesh.operand_ids})
        for (std::uint32_t id : *ids)
            out.u32(id);
    out.indices(content.triangles.corners, content.wide);
    for (std::int8_t sign : mesh.normal_signs)
        out.u8(static_cast<std::uint8_t>(sign));
    for (std::uint32_t polygon : content.triangles.polygons)
        out.u32(polygon);
    for (const auto& edges : content.plain_edges)
        out.indices(edges, content.wide);
    const EdgeGroups& g = content.groups;
    for (const IndexGroup* group : {&g.loops, &g.outlines, &g.triangle_edges, &g.open_edges})
        write_group(out, *group);
    for (int i = 0; i < record.stubs.skip; ++i)
        out.u32(0xDEADBEEF);
    for (int i = 0; i < record.stubs.extra; ++i)
        out.u32(static_cast<std::uint32_t>(i));
    out.bytes += record.name;
    for (const auto* words : {&content.label_offsets, &content.label_lengths})
        for (std::uint32_t word : *words)
            out.u32(word);
    out.bytes += content.label_text;
}

} // namespace

std::string encode_mesh_record(const MeshRecord& record)
{
    if (!record.mesh) return encode_empty_record();
    const RecordContent content = gather_content(record);
    ByteWriter out;
    for (std::int32_t field : header_of(record, content))
        out.u32(static_cast<std::uint32_t>(field));
    write_arrays(out, record, content);
    return out.bytes;
}

std::string encode_interop_file(const std::vector<MeshRecord>& records)
{
    std::string bytes = encode_int32(static_cast<std::int32_t>(records.size()));
    for (const MeshRecord& record : records)
        bytes += encode_mesh_record(record);
    return bytes;
}

std::string encode_int32(std::int32_t value)
{
    ByteWriter out;
    out.u32(static_cast<std::uint32_t>(value));
    return out.bytes;
}
