#include "panels/ppd_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "state/application.h"
#include "panels/list_styles.h"
#include "platform/files.h"
#include "platform/kernel_config.h"
#include "tests/panels/panel_fixture.h"

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

using PpdShow = PanelTest;

// The control opens the pane on the selected entity's report with its rows,
// the first highlighted in the list rows' style, and closes it when pressed
// again; an entity without profiling data gets the pane that says so.
TEST_F(PpdShow, TheControlOpensAndClosesThePaneOrSaysTheEntityHasNone)
{
    std::array<FillStyle, ACTIVE_FILL_STYLE_COUNT> styles{};
    app.lists.fill_styles = styles.data();
    show_entity_ppd(app);
    EXPECT_EQ(app.message_panes.info.title, "Entity is Missing PPD") << "nothing selected";
    EXPECT_EQ(app.message_panes.info.text,
              "The selected entity does not include embedded performance-profiling-data.\n\n"
              "In order to use this control, re-assemble with profiling enabled.\n\nNote: you "
              "can enable (and disable) performance-profiling using the\nrun-script/"
              "assemble-mesh menu-dialog's title-right toggle-button.\n\nNote: you can quickly "
              "display the run/assemble menu-dialog using the shortcut:\n\t [SHIFT + R]");
    Mesh mesh;
    add_script("/ws/box.plim", 8).mesh = &mesh;
    app.current_scene_state->selected_index = 0;
    app.message_panes.info = {};
    show_entity_ppd(app);
    EXPECT_EQ(app.message_panes.info.title, "Entity is Missing PPD") << "no profiling text";
    mesh.mesh_name = "fn\n1000\n";
    show_entity_ppd(app);
    EXPECT_EQ(app.modal[MODAL_PROFILE], 1);
    EXPECT_EQ(app.ppd_view.rows.size(), 1u);
    if (!app.ppd_view.rows.empty()) {
        const lumo::P& row = *app.ppd_view.rows[0];
        EXPECT_EQ(row.label, "box.plim");
        EXPECT_TRUE(row.selected);
        EXPECT_EQ(row.selected_style, &styles[STYLE_ROW_HIGHLIGHT]);
        EXPECT_EQ(row.hover_style, &styles[STYLE_ROW_HIGHLIGHT]);
    }
    EXPECT_EQ(app.ppd_view.text.rfind(std::string(64, '-') + "\nPLIM:PPD\n", 0), 0u);
    show_entity_ppd(app);
    EXPECT_EQ(app.modal[MODAL_PROFILE], 0) << "pressed again, the pane closes";
    app.current_entity_list->entities.front().mesh = nullptr; // the test's own
}

} // namespace
