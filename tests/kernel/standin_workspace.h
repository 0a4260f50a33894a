#pragma once

// A run workspace whose kernel is the stand-in, logging every run. Meshes a
// test keeps are released after it.

#include "kernel/assemble_runs.h"
#include "kernel/job_table.h"
#include "tests/kernel/run_workspace.h"
#include "tests/kernel/standin_log.h"

#include <cstdlib>
#include <vector>

class StandinWorkspaceTest : public RunWorkspaceTest {
protected:
    void SetUp() override
    {
        RunWorkspaceTest::SetUp();
        settings.kernel_path = PLIM_STANDIN_PATH;
        log_path = (workspace / "standin.log").string();
        ::setenv("PLIM_STANDIN_LOG", log_path.c_str(), 1);
    }
    void TearDown() override
    {
        for (Mesh* mesh : kept)
            discard_mesh(mesh);
        ::unsetenv("PLIM_STANDIN_LOG");
        ::unsetenv("PLIM_STANDIN_FAULT");
        RunWorkspaceTest::TearDown();
    }

    std::vector<StandinRun> runs() const { return read_standin_log(log_path); }

    Mesh* keep(Mesh* mesh)
    {
        kept.push_back(mesh);
        return mesh;
    }
    // The latest results, also kept for release.
    const std::vector<Mesh*>& keep(std::vector<Mesh*> meshes)
    {
        kept.insert(kept.end(), meshes.begin(), meshes.end());
        latest = std::move(meshes);
        return latest;
    }

    std::string log_path;
    std::vector<Mesh*> kept;
    std::vector<Mesh*> latest;
};
