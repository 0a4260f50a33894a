#pragma once

// The export pane's options and the size on disk it estimates for them. The
// estimate is a guide shown before the writers run, worked out from element
// counts alone; it also decides whether the options can be exported at all.

#include <array>
#include <cstdint>
#include <string>

enum ExportFormatBit : int { EXPORT_OBJ = 0, EXPORT_OFF, EXPORT_PLY, EXPORT_STL };
enum ExportTopologyBit : int { EXPORT_NGON = 0, EXPORT_TESS };
enum ExportAttributeBit : int { EXPORT_NORMALS = 0, EXPORT_COLOURS, EXPORT_BINARY };

// One byte per option, set or clear.
struct ExportOptions {
    std::array<std::uint8_t, 4> formats{0, 0, 0, 0};
    std::array<std::uint8_t, 2> topologies{1, 1};
    std::array<std::uint8_t, 3> attributes{1, 1, 0};
};

// Element counts of the visible entities. Signed, so that subtracting the
// hidden entities from environment totals can never wrap.
struct ExportCounts {
    std::int64_t vertices = 0;
    std::int64_t polygon_indices = 0;
    std::int64_t triangle_indices = 0;
    std::int64_t triangles = 0;
};

// Estimated bytes of all chosen formats together; 64-bit, since ten million
// vertices in several formats pass the 32-bit range.
std::int64_t estimate_export_size(const ExportOptions& options, const ExportCounts& counts);

// "Estimated Size-on-Disk: " + megabytes with 3 digits + " MB".
std::string export_size_text(std::int64_t bytes);

// Something would be written: a polygon format with a topology, or STL.
bool export_options_enabled(const ExportOptions& options, std::int64_t estimate);
