#pragma once

// Assembly of parallel scripts, one mesh per element, in one of three kinds:
// single (all elements in one kernel run), sub-element (one kernel job per
// element on worker threads) and batch (one kernel job per batch of elements
// sharing a batch id). Runs on the user-interface thread and returns once
// every kernel run has ended. The caller owns the result list and its meshes.
// The settings give every run its kernel, workspace and job limit.

#include "kernel/parallel_script.h"
#include "model/mesh.h"
#include "platform/kernel_config.h"

#include <cstdint>
#include <string>
#include <vector>

// One flag per element; empty admits every element, any other length none.
using ElementMask = std::vector<bool>;
// Element indices per batch, in batch order.
using BatchList = std::vector<std::vector<std::int32_t>>;
// One mesh per element, in element order; null where there is none.
using ElementResults = std::vector<Mesh*>;

enum AssemblyKind : std::int32_t {
    ASSEMBLY_SINGLE = 0,
    ASSEMBLY_PARALLEL = 1, // sub-element, or batch when batched
};

// Parses the script and assembles its elements; batched parallel assembly
// groups them by their batch prefixes. Stamps batch ids and result indices.
// A kind other than 0 and 1 gives an empty list.
ElementResults assemble_script(const KernelSettings& settings, const std::string& script_path,
                               std::int32_t execute_mode, std::int32_t kind, bool batched,
                               bool ccpp, bool profiling);
// Assembles the elements the reload command has: the single kind under the
// mask; the parallel kind by batches when there are any, else one job per
// element under the mask. Stamps batch ids and result indices. A kind other
// than 0 and 1 gives an empty list.
ElementResults reassemble_script(const KernelSettings& settings,
                                 const ParallelElementList& elements, const ElementMask& mask,
                                 const BatchList& batches, bool ccpp, bool profiling,
                                 std::int32_t execute_mode, std::int32_t kind);

// Every admitted element with logic in one run; results only when the
// kernel returns exactly one mesh per element.
ElementResults assemble_single(const KernelSettings& settings, const ParallelElementList& elements,
                               const ElementMask& mask, bool ccpp, bool profiling,
                               std::int32_t execute_mode);
// One kernel job per element on worker threads; an element without logic
// is traced as unresolved and finishes without a run. Every element with
// logic runs, but only admitted ones are restaged and read back (a left-out
// one reruns its earlier input); their meshes carry measured kernel, read
// and run times.
ElementResults assemble_parallel_sub(const KernelSettings& settings,
                                     const ParallelElementList& elements, const ElementMask& mask,
                                     bool ccpp, bool profiling, std::int32_t execute_mode);
// One kernel job per non-empty batch; a batch's results only when its run
// returns exactly one mesh per element of the batch.
ElementResults assemble_parallel_batches(const KernelSettings& settings,
                                         const ParallelElementList& elements, BatchList batches,
                                         bool ccpp, bool profiling, std::int32_t execute_mode);

// Batch b on every valid mesh of its elements, unless there are as many
// batches as results (every element its own batch) or none.
void stamp_batch_ids(ElementResults& results, const BatchList& batches);
// Its own position on every valid mesh.
void stamp_result_indices(ElementResults& results);
