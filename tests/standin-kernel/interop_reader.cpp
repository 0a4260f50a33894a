#include "interop_reader.h"
#include "test_files.h"

#include <cstring>
#include <stdexcept>

namespace {

struct Reader {
    const std::string& bytes;
    size_t at = 0;

    std::uint64_t unsigned_le(int size)
    {
        if (at + static_cast<size_t>(size) > bytes.size())
            throw std::runtime_error("file ends at byte " + std::to_string(bytes.size()));
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i]))
                     << (8 * i);
        at += static_cast<size_t>(size);
        return value;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(unsigned_le(4)); }
    // A count checked against the bytes left before anything is allocated.
    size_t checked(std::int64_t count, int size) const
    {
        if (count < 0) throw std::runtime_error("negative count " + std::to_string(count));
        if (static_cast<size_t>(count) * static_cast<size_t>(size) > bytes.size() - at)
            throw std::runtime_error("file ends at byte " + std::to_string(bytes.size()));
        return static_cast<size_t>(count);
    }
    template <typename T> std::vector<T> list(std::int64_t count, int size)
    {
        std::vector<T> values(checked(count, size));
        for (T& value : values)
            value = static_cast<T>(unsigned_le(size));
        return values;
    }
    std::vector<double> doubles(std::int64_t count)
    {
        std::vector<double> values(checked(count, 8));
        for (double& value : values) {
            const std::uint64_t bits = unsigned_le(8);
            std::memcpy(&value, &bits, sizeof value);
        }
        return values;
    }
    std::string text(std::int64_t count)
    {
        const size_t n = checked(count, 1);
        at += n;
        return bytes.substr(at - n, n);
    }
};

ReadGroup read_group(Reader& in, std::int32_t items, std::int32_t values, std::int32_t locals)
{
    ReadGroup group;
    group.items = items;
    group.values = in.list<std::uint32_t>(values, 4);
    if (locals >= 1) group.counts = in.list<std::uint32_t>(static_cast<std::int64_t>(items) + 1, 4);
    group.locals = in.list<std::uint16_t>(locals, 2);
    return group;
}

ReadMesh read_mesh(Reader& in)
{
    ReadMesh mesh;
    for (std::int32_t& field : mesh.h)
        field = in.i32();
    const auto& h = mesh.h;
    if (h[3] <= 0) throw std::runtime_error("vertex dimension " + std::to_string(h[3]));
    const int index_size = h[17] > 0 ? 4 : 2;
    mesh.vertices = in.doubles(h[0]);
    mesh.index_stream = in.list<std::uint32_t>(h[1], index_size);
    mesh.normals = in.doubles(h[4]);
    mesh.palette = in.doubles(h[5]);
    if (h[5] >= 1) {
        const std::int32_t colours = h[5] / 4;
        mesh.colour_indices = in.list<std::uint32_t>(h[0] / h[3], colours < 256     ? 1
                                                                  : colours < 65536 ? 2
                                                                                    : 4);
    }
    mesh.bounds = in.doubles(h[6]);
    mesh.face_ids = in.list<std::uint32_t>(h[7], 4);
    mesh.group_ids = in.list<std::uint32_t>(h[8], 4);
    mesh.label_ids = in.list<std::uint32_t>(h[9], 4);
    mesh.operand_ids = in.list<std::uint32_t>(h[10], 4);
    mesh.triangles = in.list<std::uint32_t>(h[11], index_size);
    mesh.normal_signs = in.list<std::int8_t>(h[12], 1);
    mesh.triangle_polygons = in.list<std::uint32_t>(h[13], 4);
    for (int e = 0; e < 3; ++e)
        mesh.plain_edges[e] = in.list<std::uint32_t>(h[14 + e], index_size);
    for (int g = 0; g < 4; ++g)
        mesh.groups[g] = read_group(in, h[17 + 3 * g], h[18 + 3 * g], h[19 + 3 * g]);
    in.list<std::uint32_t>(h[30], 4);
    mesh.extra_values = in.list<std::uint32_t>(h[31], 4);
    mesh.name = in.text(h[33]);
    mesh.label_words_1 = in.list<std::uint32_t>(h[34], 4);
    mesh.label_words_2 = in.list<std::uint32_t>(h[34], 4);
    mesh.label_text = in.text(h[35]);
    return mesh;
}

} // namespace

ReadResult read_interop_bytes(const std::string& bytes)
{
    ReadResult result;
    if (bytes.size() < 144) {
        result.error = "shorter than one header";
        return result;
    }
    Reader in{bytes};
    try {
        result.count = in.i32();
        for (std::int32_t i = 0; i < result.count; ++i)
            result.meshes.push_back(read_mesh(in));
        result.ok = true;
        result.trailing_bytes = bytes.size() - in.at;
    } catch (const std::exception& problem) {
        result.error = problem.what();
    }
    return result;
}

ReadResult read_interop_path(const std::string& path)
{
    return read_interop_bytes(read_whole_file(path));
}

std::vector<std::uint32_t> decode_group(const ReadGroup& group)
{
    std::vector<std::uint32_t> decoded;
    size_t base = static_cast<size_t>(group.items) + 1;
    size_t position = 0;
    for (std::int32_t k = 0; k < group.items && !group.counts.empty(); ++k) {
        for (std::uint32_t i = 0; i < group.counts.at(k + 1); ++i)
            decoded.push_back(group.values.at(group.locals.at(position + i) + base));
        base += group.values.at(k + 1);
        position += group.counts.at(k + 1);
    }
    return decoded;
}
