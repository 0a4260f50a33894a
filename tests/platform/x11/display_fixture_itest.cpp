// A display test executable started without an X server skips every test
// with the reason and ends with success, instead of crashing in its set-up.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exit_code = -1;
    std::string output;
};

Outcome run_without_display(const std::string& executable)
{
    Outcome outcome;
    const std::string command = "env -u DISPLAY '" + executable + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    std::array<char, 4096> chunk;
    while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), pipe) != nullptr)
        outcome.output += chunk.data();
    const int status = pclose(pipe);
    if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
    return outcome;
}

TEST(DisplayFixture, WithoutAnXServerEveryDisplayTestIsSkippedWithTheReason)
{
    const Outcome outcome = run_without_display(PLIM_BINARY_DIR "/tests/platform/x11/window_display");
    EXPECT_EQ(outcome.exit_code, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("no X display"), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("SKIPPED"), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find("Failure"), std::string::npos) << outcome.output;
}

} // namespace
