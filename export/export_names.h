#pragma once

// File names of an export run: one base name for the whole run, then a
// suffix per format and topology ("_NGON.obj", "_TESS.ply", ".stl", ...).

#include <cstdint>
#include <string>

enum class ExportFormat { obj, off, ply, stl };

// Location (with its own trailing separator) + name, then "_" + the
// YYYYMMDDhhmmss date-time text when one is given.
std::string export_base_name(const std::string& location, const std::string& name,
                             const std::string& datetime_text);

// Polygons get "_NGON", triangles "_TESS"; STL is one file of triangles and
// gets no topology part.
std::string export_file_name(const std::string& base_name, ExportFormat format,
                             std::int32_t topology);
