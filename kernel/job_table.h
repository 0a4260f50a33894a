#pragma once

// Kernel jobs of sub-element and batch assembly. The user-interface thread
// starts one worker thread per slot, keeps at most the run's job limit of them
// running, and joins them all; each worker claims the lowest free slot and
// makes that slot's kernel run. Everything one parallel assembly shares with
// its workers is one KernelJobRun, handed by reference to every callback: the
// slot table, the job lists, the counters and the settings the workers read.
// Slot states are atomics; everything else a slot holds is written by its
// worker before it publishes state 2 and read only after the joins.

#include "platform/kernel_config.h"
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

struct KernelJobRun;
// Plain functions without captures: what they work on is the run they get.
using KernelJobCallback = void (*)(KernelJobRun& run);

// Start callback, work function and completion callback of each slot's job;
// entries past the last pushed job stay empty.
struct KernelJobList {
    std::vector<KernelJobCallback> start;
    std::vector<KernelJobCallback> work;
    std::vector<KernelJobCallback> completion;
    std::int32_t push_index = 0;
};

// One parallel assembly's jobs, from set-up to the reading of the results.
struct KernelJobRun {
    KernelJobTable table;
    KernelJobList jobs;
    // Changed only by the callbacks, on the user-interface thread.
    std::int32_t running_jobs = 0;
    std::int32_t finished_jobs = 0;
    // Set before the first worker starts and only read while workers run:
    // the kernel path and the job limit; the output file of the
    // constant-cost-parallel-prefix runs (empty when they are off); the
    // profiling flag; and the worker that kernel_job_entry calls.
    KernelSettings settings;
    std::string ccpp_out_path;
    std::uint8_t ppd = 0;
    KernelJobCallback body = nullptr;
};

// Sizes the table to `count` free slots with empty paths and results, the job
// lists to `count` empty entries, and sets both counters to 0.
void set_up_kernel_jobs(KernelJobRun& run, std::int32_t count);

// Appends a job; false when the lists have no room left.
bool push_kernel_job(KernelJobRun& run, KernelJobCallback start, KernelJobCallback work,
                     KernelJobCallback completion);

// Starts the work function of every slot that has one on its own thread,
// 5 ms apart, waiting while the job limit's worth of jobs are started and not
// yet collected; joins every worker, then collects the jobs still finished so
// that each pushed job's completion callback runs exactly once.
void run_kernel_jobs(KernelJobRun& run);

void step_counter_up(KernelJobRun& run);
void step_counter_down(KernelJobRun& run);
// The work function of every job: calls the run's body.
void kernel_job_entry(KernelJobRun& run);

// Claims the lowest free slot (compare-and-set from free to taken); -1 when
// no slot is free.
std::int32_t claim_kernel_job_slot(KernelJobTable& table);
// The worker of sub-element and batch runs alike: claims a slot, makes its
// kernel run when it has one, and publishes it as finished.
// "*** INDEX-GRAB-ISSUE !!!" when no slot is free.
void launch_kernel_job(KernelJobRun& run);
