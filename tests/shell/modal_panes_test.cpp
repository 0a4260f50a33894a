#include "shell/modal_panes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shell/confirm_pane.h"

namespace {

int g_refreshes = 0;
int g_refreshes_seen_by_cancel = -1;

void count_refresh()
{
    ++g_refreshes;
}
void note_cancel(Application&)
{
    g_refreshes_seen_by_cancel = g_refreshes;
}
void accept(Application&) {}

// An application whose panes are registered, so showing and hiding them can
// be read off their widgets.
class ModalPanes : public testing::Test {
protected:
    void SetUp() override
    {
        g_refreshes = 0;
        g_refreshes_seen_by_cancel = -1;
        app.root.on_repaint = count_refresh;
        for (std::size_t i = 0; i < panes.size(); ++i)
            app.modal_pane_widgets[i] = &panes[i];
        app.navigator_list_pane = &navigator_list;
        app.navigator_mask = &navigator_mask;
        app.configuration_pane = &configuration;
        configuration.visible = false;
    }
    void open(ModalState state)
    {
        app.modal[state] = 1;
        panes[state].visible = true;
        set_modal_masks(app, true);
    }
    // A fresh start with only `states` open, in that order.
    void open_only(const std::vector<ModalState>& states)
    {
        SetUp();
        app.modal = {};
        for (ModalState state : states)
            open(state);
    }
    bool masks() const { return app.mask_pane.visible && app.overlay.visible; }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    std::array<lumo::P, MODAL_STATE_COUNT> panes;
    lumo::P navigator_list;
    lumo::P navigator_mask;
    lumo::P configuration;
};

struct EscapeCase {
    const char* what;
    std::vector<ModalState> open;
    ModalState closed;
    bool masks_after;
};

TEST_F(ModalPanes, EscapeClosesTheFirstOpenStateOnlyAndKeepsTheMasksForWhatStaysOpen)
{
    const EscapeCase cases[] = {
        {"info before error", {MODAL_ERROR, MODAL_INFO}, MODAL_INFO, true},
        {"error alone", {MODAL_ERROR}, MODAL_ERROR, false},
        {"run before export", {MODAL_EXPORT, MODAL_RUN}, MODAL_RUN, true},
        {"directive", {MODAL_DIRECTIVE}, MODAL_DIRECTIVE, false},
        {"navigator before export", {MODAL_EXPORT, MODAL_NAVIGATOR}, MODAL_NAVIGATOR, true},
        {"about over the navigator", {MODAL_NAVIGATOR, MODAL_ABOUT}, MODAL_ABOUT, true},
        {"help", {MODAL_HELP}, MODAL_HELP, false},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.what);
        open_only(c.open);
        close_modal_state(app);
        EXPECT_EQ(app.modal[c.closed], 0);
        EXPECT_FALSE(panes[c.closed].visible);
        for (ModalState state : c.open) {
            if (state == c.closed) continue;
            EXPECT_EQ(app.modal[state], 1) << "state " << state << " stays open";
            EXPECT_TRUE(panes[state].visible) << "state " << state;
        }
        EXPECT_EQ(masks(), c.masks_after);
    }
}

TEST_F(ModalPanes, EscapeOnTheNavigatorOverTheExportShowsTheExportAgain)
{
    open(MODAL_EXPORT);
    panes[MODAL_EXPORT].visible = false; // hidden while the navigator chooses its location
    set_navigator_visible(app, true);
    EXPECT_TRUE(navigator_list.visible);
    close_modal_state(app);
    EXPECT_FALSE(app.modal[MODAL_NAVIGATOR]);
    EXPECT_FALSE(navigator_list.visible);
    EXPECT_TRUE(panes[MODAL_EXPORT].visible);
    EXPECT_TRUE(configuration.visible) << "before start-up the configuration pane returns";
    close_modal_state(app);
    EXPECT_FALSE(app.modal[MODAL_EXPORT]);
    EXPECT_FALSE(masks());
}

TEST_F(ModalPanes, MessagePanesFillTheirModelAndAWarningOverTheNavigatorMasksIt)
{
    show_error_pane(app, "ERROR: x", "body");
    EXPECT_EQ(app.message_panes.error.title, "ERROR: x");
    EXPECT_TRUE(app.message_panes.error.visible && panes[MODAL_ERROR].visible && masks());
    set_navigator_visible(app, true);
    show_warning_pane(app, "Warning", "w");
    EXPECT_TRUE(navigator_mask.visible);
    app.startup_finished = 1;
    close_modal_state(app); // the error first
    close_modal_state(app);
    EXPECT_FALSE(app.modal[MODAL_WARNING]);
    EXPECT_FALSE(navigator_mask.visible);
    EXPECT_TRUE(masks()) << "the navigator is still open";
    EXPECT_FALSE(configuration.visible) << "after start-up it stays closed";
}

TEST_F(ModalPanes, EscapeOnTheConfirmationRunsTheCancelActionBeforeTheRefresh)
{
    show_confirm_dialog(app, "Confirm", "text", 24, note_cancel, accept);
    app.confirm.option_visible = 1;
    const int before = g_refreshes;
    close_modal_state(app);
    EXPECT_EQ(g_refreshes_seen_by_cancel, before);
    EXPECT_GT(g_refreshes, before);
    EXPECT_FALSE(app.confirm_pane.pane.visible || app.confirm.option_visible || masks());
}

struct EnterCase {
    const char* what;
    std::vector<ModalState> open;
    bool startup_finished;
    EnterFollowUp follow_up;
};

TEST_F(ModalPanes, EnterNamesTheFollowUpOfTheFirstMatchingState)
{
    const EnterCase cases[] = {
        {"run pane", {MODAL_RUN}, true, EnterFollowUp::ASSEMBLE},
        {"capture", {MODAL_CAPTURE}, true, EnterFollowUp::SAVE_ENVIRONMENT_IMAGE},
        {"screenshot", {MODAL_SCREENSHOT}, true, EnterFollowUp::SAVE_SCREENSHOT},
        {"profile", {MODAL_PROFILE}, true, EnterFollowUp::NONE},
        {"export", {MODAL_EXPORT}, true, EnterFollowUp::CONFIRM_EXPORT},
        {"export and navigator",
         {MODAL_EXPORT, MODAL_NAVIGATOR},
         true,
         EnterFollowUp::CONFIRM_NAVIGATOR},
        {"warning after start-up", {MODAL_WARNING}, true, EnterFollowUp::NONE},
        {"warning before start-up", {MODAL_WARNING}, false, EnterFollowUp::APPLY_ENTITY_WORKSPACE},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.what);
        open_only(c.open);
        app.startup_finished = c.startup_finished ? 1 : 0;
        EXPECT_EQ(confirm_modal_state(app), c.follow_up);
    }
    EXPECT_FALSE(app.modal[MODAL_RUN]) << "Enter on the run pane closes it first";
    show_confirm_dialog(app, "Confirm", "text", 24, nullptr, accept);
    EXPECT_EQ(confirm_modal_state(app), EnterFollowUp::NONE);
    EXPECT_TRUE(app.modal[MODAL_BUSY] && masks()) << "the masks stay until the action ran";
}

TEST_F(ModalPanes, AboutToggles)
{
    toggle_about_pane(app);
    EXPECT_TRUE(app.modal[MODAL_ABOUT] && panes[MODAL_ABOUT].visible && masks());
    toggle_about_pane(app);
    EXPECT_FALSE(app.modal[MODAL_ABOUT] || masks());
}

} // namespace
