#pragma once

// Test scaffolding for kernel runs: a fresh workspace with its "tmp/"
// directory per test, the settings handed to the runs, and a capture of the
// trace lines written meanwhile.

#include "platform/files.h"
#include "platform/kernel_config.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

class RunWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        workspace = fs::temp_directory_path() / ("plim_runs_" + std::to_string(::getpid()) + "_" +
                                                 info->test_suite_name() + "_" + info->name());
        fs::remove_all(workspace);
        fs::create_directories(workspace / "tmp");
        // Given without its trailing "/": staging must add it.
        settings.workspace_path = workspace.string();
        g_kernel_output_texts = {"kernel", "script", "file-io", "error"};
    }
    void TearDown() override { fs::remove_all(workspace); }

    std::string tmp_file(const std::string& name) const
    {
        return (workspace / "tmp" / name).string();
    }
    std::string read_tmp(const std::string& name) const { return read_text_file(tmp_file(name)); }

    fs::path workspace;
    KernelSettings settings;
};
