#include "tests/platform/x11/display_fixture.h"
#include "tests/platform/x11/recording_record.h"

#include "platform/x11/window_services.h"

using Log = std::vector<std::string>;

class MessageLoop : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        record_ = recording_record();
        register_window(&record_, 0);
        g_slot_log.clear();
    }

    WindowCallbacks record_;
};

TEST_F(MessageLoop, NoIdleAndNoPaintBeforeTheWindowStarts)
{
    request_repaint();
    run_loop_pass();
    run_loop_pass();
    EXPECT_TRUE(g_slot_log.empty());
}

TEST_F(MessageLoop, RepaintRequestedDuringIdleBecomesOnePaintOfTheNextPass)
{
    record_.on_idle = [](WindowCallbacks*) {
        g_slot_log.push_back("idle");
        request_repaint();
        return true;
    };
    record_.on_init = nullptr;
    g_repaint_requested = 0;
    start_window(&record_);
    g_slot_log.clear();

    run_loop_pass();
    EXPECT_EQ(g_slot_log, Log{"idle"}) << "the paint waits for the next pass";
    run_loop_pass();
    EXPECT_EQ(g_slot_log, (Log{"idle", "paint", "idle"}));
}

TEST_F(MessageLoop, WithoutARequestNothingIsPainted)
{
    g_repaint_requested = 0;
    start_window(&record_);
    g_slot_log.clear();
    run_loop_pass();
    run_loop_pass();
    EXPECT_EQ(g_slot_log, (Log{"idle", "idle"}));
}

TEST_F(MessageLoop, ClosingEndsTheLoopAfterThePassThatSawIt)
{
    g_repaint_requested = 0;
    start_window(&record_);
    g_slot_log.clear();
    send_close_request();
    XSync(peer_, False);
    XSync(g_x11.display, False);
    run_message_loop();
    EXPECT_EQ(g_slot_log, (Log{"close", "idle"}));
}

TEST_F(MessageLoop, AnnouncedClientSizeIsTheRealOne)
{
    announce_client_size();
    EXPECT_EQ(g_slot_log, Log{"resize 720 480"});
}
