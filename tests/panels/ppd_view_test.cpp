#include "panels/ppd_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/state/application.h"
#include "platform/files.h"
#include "platform/kernel_config.h"

namespace {

TEST(PpdView, EntityHasPpdBySingleMeshOrAnyGroupMember)
{
    Mesh with_ppd;
    with_ppd.mesh_name = "1\n2\n";
    Mesh without_ppd;
    Entity single = construct_entity();
    Entity bare = construct_entity();
    Entity member = construct_entity();
    member.mesh = &with_ppd;
    Entity silent_member = construct_entity();
    silent_member.mesh = &without_ppd;
    struct Case {
        const char* name;
        Mesh* mesh;
        std::uint32_t kind;
        EntityPointers members;
        bool expected;
    };
    const Case cases[] = {
        {"single with text", &with_ppd, ENTITY_SINGLE, {}, true},
        {"single with empty text", &without_ppd, ENTITY_SINGLE, {}, false},
        {"single without mesh", nullptr, ENTITY_SINGLE, {}, false},
        {"group with a profiled member", nullptr, ENTITY_GROUP, {nullptr, &member}, true},
        {"group whose members lack it", nullptr, ENTITY_GROUP, {&silent_member, &bare}, false},
        {"empty group", nullptr, ENTITY_GROUP, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        single.mesh = c.mesh;
        single.kind = c.kind;
        single.members = c.members;
        single.member_count = static_cast<std::int32_t>(c.members.size());
        EXPECT_EQ(entity_has_ppd(single), c.expected);
    }
}

TEST(PpdView, CopiedAndWrittenTextsShowTabsAsArrows)
{
    auto owner = std::make_unique<Application>();
    Application& app = *owner;
    app.ppd_view.text = "PLIM:PPD\n\t Assembly Overview\n";
    const std::string expected = "PLIM:PPD\n> Assembly Overview\n";

    copy_ppd_to_clipboard(app);
    EXPECT_EQ(app.message_panes.info.title, "PPD Emission Failure");
    static std::string copied;
    app.platform.clipboard_write = [](const std::string& text) {
        copied = text;
        return true;
    };
    copy_ppd_to_clipboard(app);
    EXPECT_EQ(app.message_panes.info.title, "PPD Copied to Clipboard");
    EXPECT_EQ(copied, expected);

    const auto workspace = std::filesystem::temp_directory_path() / "plim_ppd_view_test";
    std::filesystem::create_directories(workspace);
    set_workspace_path(workspace.string() + "/");
    write_ppd_text_file(app);
    EXPECT_EQ(app.message_panes.info.title, "PPD Written to Text-File");
    EXPECT_EQ(read_text_file((workspace / "plim_ppd.txt").string()), expected);
    EXPECT_EQ(app.ppd_view.text.find('>'), std::string::npos);
    std::filesystem::remove_all(workspace);
    write_ppd_text_file(app);
    EXPECT_EQ(app.message_panes.info.title, "PPD Emission Failure");
}

} // namespace
