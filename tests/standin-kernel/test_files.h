#pragma once

// Files and texts of this folder's tests.

#include <fstream>
#include <sstream>
#include <string>

inline std::string read_whole_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

inline std::string read_test_file(const std::string& relative_path)
{
    return read_whole_file(std::string(PLIM_SOURCE_DIR) + "/tests/standin-kernel/" + relative_path);
}

// The content of the first section with this tag, as the inspector cuts it.
inline std::string section(const std::string& output, const std::string& tag)
{
    const size_t open = output.find("<" + tag + ">");
    const size_t close = output.find("</" + tag + ">");
    if (open == std::string::npos || close == std::string::npos) return "(absent)";
    const size_t start = open + tag.size() + 3;
    return close >= start ? output.substr(start, close - start) : "(close before open)";
}

inline size_t count_of(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
