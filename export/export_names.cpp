#include "export/export_names.h"

#include "export/export_frame.h"

namespace {

const char* extension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::obj:
        return ".obj";
    case ExportFormat::off:
        return ".off";
    case ExportFormat::ply:
        return ".ply";
    case ExportFormat::stl:
        return ".stl";
    }
    return "";
}

} // namespace

std::string export_base_name(const std::string& location, const std::string& name,
                             const std::string& datetime_text)
{
    std::string base = location + name;
    if (!datetime_text.empty()) base += "_" + datetime_text;
    return base;
}

std::string export_file_name(const std::string& base_name, ExportFormat format,
                             std::int32_t topology)
{
    if (format == ExportFormat::stl) return base_name + extension(format);
    const char* topology_part = topology == EXPORT_POLYGONS ? "_NGON" : "_TESS";
    return base_name + topology_part + extension(format);
}
