#include "platform/kernel_config.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class KernelConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_kernel_path("");
        set_workspace_path("");
    }
    std::string touch(const std::string& name) const
    {
        std::ofstream(scratch.path(name)) << "x";
        return scratch.path(name);
    }

    ScratchDir scratch;
    const fs::path& dir = scratch.dir;
};

} // namespace

TEST_F(KernelConfigTest, KernelPathNeedsTheNameSuffixAndAnExistingFile)
{
    const std::pair<std::string, const char*> cases[] = {
        {touch("plim"), "VALID"},          {touch("PLIM"), "INVALID"},
        {touch("plim.exe"), "VALID"},      {touch("plim.com"), "INVALID"},
        {touch("myplim"), "VALID"},        {(dir / "missing" / "plim").string(), "INVALID"},
        {"", "UNDEFINED"}};
    for (const auto& [path, state] : cases) {
        EXPECT_EQ(set_kernel_path(path), std::string(state) == "VALID") << path;
        EXPECT_EQ(get_kernel_path_state_name(), state) << path;
    }
    set_kernel_path(touch("plim"));
    EXPECT_EQ(get_kernel_path(), (dir / "plim").string());
}

TEST_F(KernelConfigTest, WorkspaceProbesTheDirectoryAndSetupNeedsBothSettingsValid)
{
    const std::string plain = dir.string();
    EXPECT_EQ(set_workspace_path(plain + "/"), 1);
    EXPECT_EQ(get_workspace_path(), plain + "/");
    EXPECT_EQ(get_workspace_state_name(), "VALID");

    EXPECT_FALSE(setup_is_valid()); // no kernel yet
    set_kernel_path(touch("plim"));
    EXPECT_TRUE(setup_is_valid());
    set_kernel_path(touch("kernel"));
    EXPECT_FALSE(setup_is_valid());

    EXPECT_EQ(set_workspace_path(touch("file")), 0);
    EXPECT_EQ(get_workspace_state_name(), "INVALID");
    set_kernel_path(touch("plim"));
    EXPECT_FALSE(setup_is_valid()); // a valid kernel alone is not enough
    EXPECT_EQ(set_workspace_path(""), 0);
    EXPECT_EQ(get_workspace_state_name(), "UNDEFINED");
}

TEST_F(KernelConfigTest, EnsureDirectoryCreatesExactlyThePathRunsNothingAndReportsResults)
{
    const fs::path odd = dir / "a; touch pwned1" / "b c" / "$(touch pwned2)" / "`touch pwned3`";
    EXPECT_EQ(ensure_directory(odd.string() + "/"), 1);
    EXPECT_TRUE(fs::is_directory(odd));
    EXPECT_FALSE(fs::exists("pwned1"));
    EXPECT_FALSE(fs::exists("pwned2"));
    EXPECT_FALSE(fs::exists("pwned3"));
    std::size_t entries = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        EXPECT_TRUE(entry.is_directory()) << entry.path();
        ++entries;
    }
    EXPECT_EQ(entries, 4u);

    EXPECT_EQ(ensure_directory(dir.string()), 1);
    EXPECT_EQ(ensure_directory((dir / "tmp").string() + "/"), 1);
    EXPECT_EQ(ensure_directory(touch("file")), 1);
    EXPECT_EQ(ensure_directory((dir / "file" / "sub").string()), 0);
    EXPECT_EQ(ensure_directory(""), 0);
    EXPECT_TRUE(file_exists(dir.string()));
    EXPECT_FALSE(file_exists(""));
    EXPECT_FALSE(file_exists((dir / "nothing").string()));
}
