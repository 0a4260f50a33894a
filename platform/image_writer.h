#pragma once

// Image snapshots. Only "png" is written (8-bit RGBA, rows top to bottom).

#include <cstdint>
#include <string>

// Writes `height` rows of `width` RGBA8 pixels, each row `row_stride` bytes
// apart, to `path`. False, with one trace line, when the format is not "png",
// the sizes make no sense or the file cannot be written.
bool write_image(const std::string& path, const std::string& format,
                 const std::uint8_t* rgba_pixels, std::int32_t width, std::int32_t height,
                 std::int32_t row_stride);
