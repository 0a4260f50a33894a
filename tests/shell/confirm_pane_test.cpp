#include "shell/confirm_pane.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int g_accepted = 0;
int g_cancelled = 0;
void accept(Application&)
{
    ++g_accepted;
}
void cancel(Application&)
{
    ++g_cancelled;
}

class ConfirmPaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_accepted = 0;
        g_cancelled = 0;
        show_confirm_dialog(app, "Title", "Body", 24, cancel, accept);
    }
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(ConfirmPaneTest, AcceptDefersTheActionAndKeepsTheMasksUntilItRan)
{
    EXPECT_EQ(app.confirm_pane.title.label, "Title");
    EXPECT_EQ(app.confirm_pane.icon.icon, 24);
    EXPECT_TRUE(app.confirm_pane.pane.visible && app.mask_pane.visible);
    EXPECT_TRUE(is_any_modal_open(app));
    accept_confirm_dialog(app);
    EXPECT_EQ(g_accepted, 0);
    EXPECT_EQ(app.deferred_countdown, DEFERRED_FRAMES);
    EXPECT_EQ(app.deferred[DEFERRED_CONFIRMED_ACTION], 1);
    EXPECT_TRUE(!app.modal[MODAL_CONFIRM] && app.modal[MODAL_BUSY]);
    EXPECT_TRUE(app.mask_pane.visible && app.load_pane.visible);

    run_confirmed_action(app);
    EXPECT_EQ(g_accepted, 1);
    EXPECT_EQ(g_cancelled, 0);
    EXPECT_FALSE(is_any_modal_open(app) || app.mask_pane.visible || app.load_pane.visible);
}

TEST_F(ConfirmPaneTest, CancelRunsTheCancelActionOnly)
{
    app.modal[MODAL_NAVIGATOR] = 1;
    cancel_confirm_dialog(app);
    EXPECT_EQ(g_cancelled, 1);
    EXPECT_EQ(g_accepted, 0);
    EXPECT_FALSE(app.confirm_pane.pane.visible);
    // Another modal state keeps the masks.
    EXPECT_TRUE(app.mask_pane.visible);
}

// An option out of range, or without a target, changes nothing.
TEST_F(ConfirmPaneTest, OptionWritesThroughItsTargetAndMarksTheButton)
{
    set_confirm_option(app, 2);
    EXPECT_FALSE(app.confirm_pane.option_buttons[2].selected);
    EXPECT_TRUE(app.confirm_pane.option_label.label.empty());
    std::int32_t mode = 2;
    app.confirm.option_target = &mode;
    set_confirm_option(app, 1);
    set_confirm_option(app, 3);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(app.confirm_pane.option_label.label, "Basic-CSG-Mesh");
    EXPECT_TRUE(app.confirm_pane.option_buttons[1].selected);
    EXPECT_FALSE(app.confirm_pane.option_buttons[2].selected);
}

} // namespace
