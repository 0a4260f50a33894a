#pragma once

// Whole-script assemble runs and the constant-cost-parallel-prefix runs. The
// logic is staged in "tmp/plim_assemble_in", the kernel writes an interop
// mesh file to "tmp/plim_assemble_out", and the meshes are read back. A run
// whose files cannot be staged is skipped and gives no mesh; the cause of a
// run without meshes goes to the error trace text. Runs on the
// user-interface thread; the caller owns every returned mesh.

#include "model/mesh.h"
#include "platform/kernel_config.h"
#include "platform/text.h"

#include <cstdint>
#include <string>
#include <vector>

// The first mesh of the run, or null. A valid mesh is stamped with the mode
// and with the time from this call's entry to the kernel's exit.
Mesh* run_assemble(const KernelSettings& settings, const std::string& logic,
                   std::int32_t execute_mode, bool profiling);
// Execute mode 2 (optimal CSG), profiling off.
Mesh* run_assemble_optimal(const KernelSettings& settings, const std::string& logic);
// Several logics in one run: every mesh of the file in order, valid mesh i
// stamped with mode i. Padded with nulls up to one entry per logic, so a
// kernel that returns too few meshes leaves nulls, never a short list.
std::vector<Mesh*> run_assemble_scripts(const KernelSettings& settings, const TextList& logics,
                                        const std::vector<std::int32_t>& modes, bool profiling);
// Computes the prefix into "tmp/plim_assemble_ccpp_out" for later assemble
// runs given "-ccpp": a parse run, then a compute run. False, with nothing
// run, when the text is blank or cannot be staged.
bool run_ccpp_compute(const KernelSettings& settings, const std::string& ccpp_text,
                      std::int32_t execute_mode, bool profiling);

// A record of an assemble run counts as one assembly error when the kernel
// failed (exited non-zero or by a signal) and the record holds no vertices: a
// block the kernel could not evaluate. An empty record of a run that exited 0
// stays a valid empty mesh; a record with vertices counts whatever the status.
void count_failed_record(Mesh* mesh, bool run_failed);

// Frees a mesh: its buffers, then the record. Null is ignored.
void discard_mesh(Mesh* mesh);
