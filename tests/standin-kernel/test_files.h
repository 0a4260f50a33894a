#pragma once

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

// Files of this test folder, read whole.
inline std::string read_test_file(const std::string& relative_path)
{
    return read_whole_file(std::string(PLIM_SOURCE_DIR) + "/tests/standin-kernel/" + relative_path);
}
