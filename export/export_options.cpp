#include "export/export_options.h"

#include "platform/text.h"

namespace {

bool has_topology(const ExportOptions& options)
{
    return options.topologies[EXPORT_NGON] != 0 || options.topologies[EXPORT_TESS] != 0;
}

// The index bytes shared by the three polygon formats. With both topologies
// the polygon and triangle indices are counted together and the whole
// subtotal doubles afterwards.
std::int64_t index_part(const ExportOptions& options, const ExportCounts& counts)
{
    const bool ngon = options.topologies[EXPORT_NGON] != 0;
    const bool tess = options.topologies[EXPORT_TESS] != 0;
    if (ngon && tess) {
        const std::int64_t both = counts.polygon_indices + counts.triangle_indices;
        return (options.attributes[EXPORT_NORMALS] != 0 ? 4 : 2) * both;
    }
    if (ngon) return 4 * counts.polygon_indices;
    if (tess) return 4 * counts.triangle_indices;
    return 0;
}

std::int64_t polygon_format_subtotal(const ExportOptions& options, const ExportCounts& counts,
                                     std::int64_t colour_bytes_per_vertex)
{
    if (!has_topology(options)) return 0;
    std::int64_t subtotal = 24 * counts.vertices;
    if (options.attributes[EXPORT_NORMALS] != 0) subtotal *= 2;
    if (options.attributes[EXPORT_COLOURS] != 0)
        subtotal += colour_bytes_per_vertex * counts.vertices;
    const bool both = options.topologies[EXPORT_NGON] != 0 && options.topologies[EXPORT_TESS] != 0;
    subtotal += index_part(options, counts);
    return both ? subtotal * 2 : subtotal;
}

std::int64_t stl_size(const ExportOptions& options, const ExportCounts& counts)
{
    if (counts.vertices <= 0) return 0;
    if (options.attributes[EXPORT_BINARY] != 0) return 50 * counts.triangles + 128;
    const std::int64_t text = 98 * counts.triangles;
    return text >= 1 ? 3 * text + 2048 : text;
}

} // namespace

std::int64_t estimate_export_size(const ExportOptions& options, const ExportCounts& counts)
{
    std::int64_t total = 0;
    const std::int64_t text_like = polygon_format_subtotal(options, counts, 32);
    if (options.formats[EXPORT_OBJ] != 0) total += 2 * text_like;
    if (options.formats[EXPORT_OFF] != 0) total += 2 * text_like;
    if (options.formats[EXPORT_PLY] != 0) {
        const std::int64_t ply = polygon_format_subtotal(options, counts, 4);
        total += options.attributes[EXPORT_BINARY] != 0 ? ply : 2 * ply;
    }
    if (options.formats[EXPORT_STL] != 0) total += stl_size(options, counts);
    return total;
}

std::string export_size_text(std::int64_t bytes)
{
    const double megabytes = static_cast<double>(bytes) / 1048576.0;
    return "Estimated Size-on-Disk: " + fixed_to_text(megabytes, 3) + " MB";
}

bool export_options_enabled(const ExportOptions& options, std::int64_t estimate)
{
    const bool polygon_format = options.formats[EXPORT_OBJ] != 0 ||
                                options.formats[EXPORT_OFF] != 0 ||
                                options.formats[EXPORT_PLY] != 0;
    return estimate > 0 &&
           ((polygon_format && has_topology(options)) || options.formats[EXPORT_STL] != 0);
}
