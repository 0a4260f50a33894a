#pragma once

// A run workspace whose kernel is the stand-in, logging every run.

#include "tests/kernel/run_workspace.h"
#include "tests/kernel/standin_log.h"

#include <cstdlib>

class StandinWorkspaceTest : public RunWorkspaceTest {
protected:
    void SetUp() override
    {
        RunWorkspaceTest::SetUp();
        ASSERT_TRUE(set_kernel_path(PLIM_STANDIN_PATH));
        log_path = (workspace / "standin.log").string();
        ::setenv("PLIM_STANDIN_LOG", log_path.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("PLIM_STANDIN_LOG");
        ::unsetenv("PLIM_STANDIN_FAULT");
        set_kernel_path("");
        RunWorkspaceTest::TearDown();
    }

    std::vector<StandinRun> runs() const { return read_standin_log(log_path); }

    std::string log_path;
};
