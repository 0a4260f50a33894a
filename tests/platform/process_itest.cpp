#include "platform/process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string kProbe = PROCESS_PROBE_PATH;

std::string flood_pattern(std::size_t count)
{
    std::string pattern(count, '\0');
    for (std::size_t k = 0; k < count; ++k)
        pattern[k] = static_cast<char>(k % 251);
    return pattern;
}

// Opens the FIFO for writing once its reader exists (before that, a
// non-blocking open fails with ENXIO); -1 if no reader turns up.
int open_fifo_writer_when_read(const std::string& fifo)
{
    for (int attempt = 0; attempt < 6000; ++attempt) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) return fd;
        if (errno != ENXIO) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

} // namespace

TEST(RunProcess, ArgumentsPathSearchStandardInputMissingProgramsAndWorkingDirectory)
{
    // Each argument arrives intact as one entry.
    EXPECT_EQ(run_process(kProbe, {"args", "-parse", "a b", "*", "", "'q' \"r\"", "$(touch x)"}),
              "process_probe\nargs\n-parse\na b\n*\n\n'q' \"r\"\n$(touch x)\n");
    // A bare name is searched on PATH; standard input is empty; missing
    // executables give the empty text.
    EXPECT_EQ(run_process("echo", {"hello", "world"}), "hello world\n");
    EXPECT_EQ(run_process(kProbe, {"stdin"}), "0");
    EXPECT_EQ(run_process("/nonexistent/dir/plim", {"-parse"}), "");
    EXPECT_EQ(run_process("no-such-program-for-plim-tests", {}), "");
    EXPECT_EQ(run_process("", {}), "");
    EXPECT_EQ(current_directory(), fs::current_path().generic_string() + "\n");
}

TEST(RunProcess, DrainsTwoMebibytesOnBothStreamsCompletelyAndInOrder)
{
    const std::size_t two_mib = 2 * 1024 * 1024;
    const std::string output = run_process(kProbe, {"flood", std::to_string(two_mib)});
    ASSERT_EQ(output.size(), two_mib);
    EXPECT_TRUE(output == flood_pattern(two_mib)) << "output differs from the pattern";
    EXPECT_EQ(output[0], '\0');
}

TEST(RunProcess, EightThreadsAtOnceEachGetTheirOwnOutput)
{
    const std::size_t size = 256 * 1024;
    const std::string expected_flood = flood_pattern(size);
    std::vector<std::string> args_outputs(8);
    std::vector<std::string> flood_outputs(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            args_outputs[i] = run_process(kProbe, {"args", "run " + std::to_string(i)});
            flood_outputs[i] = run_process(kProbe, {"flood", std::to_string(size)});
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(args_outputs[i], "process_probe\nargs\nrun " + std::to_string(i) + "\n");
        EXPECT_TRUE(flood_outputs[i] == expected_flood) << "thread " << i;
    }
}

// Children that linger are started while another thread keeps running short
// runs. Had any of them inherited a short run's pipe, that run could not see
// end-of-file until the lingering child was let go.
TEST(RunProcess, ChildThatLingersDoesNotDelayAnotherThreadsRun)
{
    const ScratchDir scratch;
    std::atomic<bool> stop{false};
    std::atomic<int> short_runs{0};
    std::promise<void> short_runner_done;
    std::future<void> short_runner_finished = short_runner_done.get_future();
    std::thread short_runner([&] {
        while (!stop)
            if (run_process(kProbe, {"args"}) == "process_probe\nargs\n") ++short_runs;
        short_runner_done.set_value();
    });
    while (short_runs == 0)
        std::this_thread::yield();

    const int lingering_count = 6;
    std::vector<std::string> fifos;
    for (int i = 0; i < lingering_count; ++i) {
        fifos.push_back(scratch.path("fifo" + std::to_string(i)));
        EXPECT_EQ(::mkfifo(fifos.back().c_str(), 0600), 0);
    }
    std::vector<std::string> lingering_outputs(lingering_count);
    std::vector<std::thread> lingering;
    for (int i = 0; i < lingering_count; ++i)
        lingering.emplace_back([&, i] {
            lingering_outputs[i] = run_process(kProbe, {"wait-fifo", fifos[i]});
        });
    std::vector<int> writers;
    for (const std::string& fifo : fifos)
        writers.push_back(open_fifo_writer_when_read(fifo));

    stop = true;
    // Generous bound only so that a fault fails the test instead of hanging it.
    const bool short_runner_returned =
        short_runner_finished.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    const int short_runs_before_release = short_runs;
    for (int fd : writers)
        if (fd >= 0) ::close(fd);
    for (std::thread& thread : lingering)
        thread.join();
    short_runner.join();

    for (int fd : writers)
        EXPECT_GE(fd, 0);
    EXPECT_TRUE(short_runner_returned) << "a short run waited for a lingering child";
    EXPECT_GT(short_runs_before_release, 0);
    for (const std::string& output : lingering_outputs)
        EXPECT_EQ(output, "released");
}

namespace {

// What the waiting caller of the next test sees of its own calls.
struct WaitingCalls {
    int count = 0;
    bool all_on_caller = true;
    std::thread::id caller;
    std::string fifo; // the lingering child's, let go after a few calls
    bool released = false;
};
WaitingCalls g_waiting;

void note_waiting_call()
{
    ++g_waiting.count;
    g_waiting.all_on_caller =
        g_waiting.all_on_caller && std::this_thread::get_id() == g_waiting.caller;
    if (g_waiting.count < 5 || g_waiting.released) return;
    const int fd = ::open(g_waiting.fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    g_waiting.released = fd >= 0;
}

} // namespace

// The waiting caller is called on its own thread, paced, until the child it
// lets go has ended; a child that cannot start gives no call.
TEST(RunProcess, WhileWaitingTheCallerIsCalledOnItsThreadUntilTheChildEnds)
{
    const ScratchDir scratch;
    g_waiting = {0, true, std::this_thread::get_id(), scratch.path("fifo"), false};
    ASSERT_EQ(::mkfifo(g_waiting.fifo.c_str(), 0600), 0);
    // Lets the child go should the calls never come, so a fault fails the test.
    std::promise<void> returned;
    std::thread rescue([fifo = g_waiting.fifo, done = returned.get_future()] {
        if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return;
        const int fd = open_fifo_writer_when_read(fifo);
        if (fd >= 0) ::close(fd);
    });
    const auto begin = std::chrono::steady_clock::now();
    const ProcessResult result =
        run_process_while_waiting(kProbe, {"wait-fifo", g_waiting.fifo}, note_waiting_call);
    const auto waited = std::chrono::steady_clock::now() - begin;
    returned.set_value();
    EXPECT_EQ(result.output, "released");
    EXPECT_FALSE(process_failed(result));
    EXPECT_TRUE(g_waiting.released) << "the child ended only when a call let it go";
    EXPECT_TRUE(g_waiting.all_on_caller);
    EXPECT_GE(waited, std::chrono::milliseconds(40)) << "five calls, paced about 10 ms apart";

    g_waiting.count = 0;
    EXPECT_FALSE(
        run_process_while_waiting("no-such-program-for-plim-tests", {}, note_waiting_call).started);
    EXPECT_EQ(g_waiting.count, 0);
    rescue.join();
}
