#pragma once

// Helpers shared by the platform tests.

#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh directory under the system's temporary directory, named after the
// process and the running test, removed again by the destructor.
struct ScratchDir {
    std::filesystem::path dir;
    ScratchDir()
    {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '_'); // parameterised tests
        dir = std::filesystem::temp_directory_path() /
              ("plim_platform_" + std::to_string(::getpid()) + "_" + test);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~ScratchDir() { std::filesystem::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }
};
