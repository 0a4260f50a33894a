#include "platform/paths.h"

namespace {

bool is_separator(char c)
{
    return c == '/' || c == '\\';
}

// Index of the last separator before the path's final byte, or npos.
std::size_t find_cut(const std::string& path)
{
    if (path.size() < 2) return std::string::npos;
    for (std::size_t i = path.size() - 1; i-- > 0;)
        if (is_separator(path[i])) return i;
    return std::string::npos;
}

} // namespace

std::string path_file_name(const std::string& path)
{
    const std::size_t cut = find_cut(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// A bare name has no directory part; a lone trailing separator ("x/", "/")
// is that path's own directory.
std::string path_directory(const std::string& path)
{
    const std::size_t cut = find_cut(path);
    if (cut != std::string::npos) return path.substr(0, cut + 1);
    return !path.empty() && is_separator(path.back()) ? path : std::string();
}

