#pragma once

// The performance-profiling report of an entity: a framed text with the
// input script's statement counts, the run, the output mesh, a per-statement
// (single entity) or per-entity and batching (parallel group) breakdown, and
// summary statistics. The profiling data is the mesh name text that a kernel
// run with profiling writes: one nanosecond timing line per statement,
// starting after the FUNCTIONS lines.

#include <cstdint>
#include <string>

#include "model/entity.h"
#include "platform/text.h"

// The report of a single entity (a monolith or one element of a parallel
// group); "M!" when the entity has no mesh.
std::string format_ppd_report(const Entity& entity);

// The report of a parallel group entity and its members.
std::string format_ppd_report_parallel(const Entity& group);

// The statistics block, reading the timing lines first .. first + count - 1
// that exist (a negative first reads from the first line).
std::string format_ppd_statistics(const Entity& entity, const TextList& timing_lines,
                                  std::int32_t statement_count, std::int32_t first,
                                  std::int32_t count);
