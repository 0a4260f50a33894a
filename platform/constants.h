#pragma once

// Program-wide constants and the few shared buffers several subsystems reuse.
// The constants never change; the buffers are filled by their users on the
// user-interface thread.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// "PLIM-EI:V0|64-bit|Windows|0.2.5": the header line of every exported mesh.
extern const std::string g_export_banner;
extern const std::string g_export_generator_line;

extern const double g_pi;
// Start value of maximum searches.
extern const double g_negative_infinity;

// 16 opaque RGBA colours for colouring by id, flat: entry i is [4i, 4i + 3].
inline constexpr std::size_t kEntityPaletteSize = 16;
extern const std::array<double, 4 * kEntityPaletteSize> g_entity_palette;

// The default font's pixel width per byte value, filled when the interface is
// built; empty until then.
extern std::vector<std::uint32_t> g_char_widths;
// Reused by the mesh colour schemes so they do not allocate per frame.
extern std::vector<double> g_colour_scratch;
extern std::vector<std::int32_t> g_index_triplet;
// Output file of the constant-cost-parallel-prefix runs; empty when they are off.
extern std::string g_ccpp_out_path;
