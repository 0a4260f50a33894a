#pragma once

#include <fstream>
#include <sstream>
#include <string>

// Files of this test folder, read whole.
inline std::string read_test_file(const std::string& relative_path)
{
    std::ifstream in(std::string(PLIM_SOURCE_DIR) + "/tests/standin-kernel/" + relative_path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}
