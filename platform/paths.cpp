#include "platform/paths.h"

namespace {

// Index of the last separator before the path's final byte, or npos.
std::size_t find_cut(const std::string& path)
{
    if (path.size() < 2) return std::string::npos;
    for (std::size_t i = path.size() - 1; i-- > 0;)
        if (path[i] == '/' || path[i] == '\\') return i;
    return std::string::npos;
}

} // namespace

std::string path_file_name(const std::string& path)
{
    const std::size_t cut = find_cut(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string path_directory(const std::string& path)
{
    const std::size_t cut = find_cut(path);
    return cut == std::string::npos ? path : path.substr(0, cut + 1);
}

