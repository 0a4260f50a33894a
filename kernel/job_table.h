#pragma once

// Kernel jobs of sub-element and batch assembly. The user-interface thread
// starts one worker thread per slot, keeps at most g_max_parallel_jobs of them
// running, and joins them all; each worker claims the lowest free slot and
// makes that slot's kernel run. The table is the only channel between the two
// sides: slot states are atomics, everything else a slot holds is written by
// its worker before it publishes state 2 and read only after the joins.

#include "platform/ccpp_output.h"
#include "platform/text.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

enum KernelJobState : std::uint32_t {
    JOB_FREE = 0,
    JOB_TAKEN = 1,     // claimed by a worker
    JOB_FINISHED = 2,  // its worker has ended; results published
    JOB_COLLECTED = 3, // the runner has called its completion callback
};

struct KernelJobTable {
    std::int32_t count = 0;
    std::vector<std::atomic<std::uint32_t>> states;
    TextList input_paths; // full staging paths
    TextList output_paths;
    // 1 when the slot's worker is to run the kernel; 0 for an element without
    // logic or a slot whose files could not be staged, which finishes at once.
    std::vector<std::uint8_t> runs_kernel;
    TextList outputs; // standard output of the slot's run
    // 1 when the slot's kernel exited non-zero or by a signal.
    std::vector<std::uint8_t> run_failed;
    std::vector<std::uint32_t> start_ms; // system clock, kept in 32 bits
    std::vector<std::uint32_t> end_ms;
};

using KernelJobCallback = void (*)();

// Start callback, work function and completion callback of each slot's job;
// entries past the last pushed job stay empty.
struct KernelJobList {
    std::vector<KernelJobCallback> start;
    std::vector<KernelJobCallback> work;
    std::vector<KernelJobCallback> completion;
    std::int32_t push_index = 0;
};

extern KernelJobTable g_sub_element_table;
extern KernelJobTable g_batch_table;
extern KernelJobList g_kernel_jobs;
// Changed only by the callbacks, on the user-interface thread.
extern std::int32_t g_running_jobs;
extern std::int32_t g_finished_jobs;
// Most jobs running at once; the load commands copy the max-cores option in.
// Values below 1 count as 1.
extern std::int32_t g_max_parallel_jobs;
// Set before the first worker starts and only read while workers run, as is
// g_ccpp_out_path (platform/ccpp_output.h).
extern std::uint8_t g_kernel_job_ppd;
extern KernelJobCallback g_kernel_job_body;

// Sizes the table to `count` free slots with empty paths and results, and the
// job lists to `count` empty entries.
void set_up_kernel_jobs(KernelJobTable& table, std::int32_t count);
// Empties the table and the job lists and clears the shared run settings.
// The two counters keep their values until the next run sets them to 0.
void reset_kernel_jobs(KernelJobTable& table);

// Appends a job; false when the lists have no room left.
bool push_kernel_job(KernelJobCallback start, KernelJobCallback work, KernelJobCallback completion);

// Starts the work function of every slot that has one on its own thread,
// 5 ms apart, waiting while g_max_parallel_jobs jobs are started and not yet
// collected; joins every worker, then collects the jobs still finished so
// that each pushed job's completion callback runs exactly once.
void run_kernel_jobs(KernelJobTable& table);

void step_counter_up();
void step_counter_down();
// The work function of every job: calls g_kernel_job_body.
void kernel_job_entry();

// Claims the lowest free slot (compare-and-set from free to taken); -1 when
// no slot is free.
std::int32_t claim_kernel_job_slot(KernelJobTable& table);
// The worker: claims a slot, makes its kernel run when it has one, and
// publishes it as finished. "*** INDEX-GRAB-ISSUE !!!" when no slot is free.
void launch_kernel_job(KernelJobTable& table);
// The two forms installed as g_kernel_job_body.
void launch_sub_element_job();
void launch_batch_job();
