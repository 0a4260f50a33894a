// The frame tick and the start-up sequence driven by a fake clock.

#include "app/frame/frame_tick.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/dropped_files.h"
#include "app/commands/environment_lifecycle.h"
#include "app/commands/export_command.h"
#include "app/commands/open_command.h"
#include "app/frame/frame_tick_camera.h"
#include "app/frame/startup_sequence.h"
#include "state/application.h"
#include "state/current_environment.h"
#include "platform/kernel_config.h"
#include "shell/camera_control.h"
#include "shell/fade.h"

namespace {

std::int64_t g_now = 0;
std::int64_t fake_clock()
{
    return g_now;
}

std::vector<std::string> g_ran;
void confirmed(Application&)
{
    g_ran.push_back("confirmed");
}
std::string native_open(const std::string&)
{
    g_ran.push_back("native-open");
    return "";
}
std::string g_dialog_answer;
std::string g_dialog_start;
std::string dialog(const std::string& start)
{
    g_dialog_start = start;
    return g_dialog_answer;
}
std::int32_t g_hold_at_fade_action = -1;
void fade_action(Application& app)
{
    g_hold_at_fade_action = app.fade.hold_ticks;
}

class FrameTick : public testing::Test {
protected:
    void SetUp() override
    {
        g_now = 1'000'000;
        g_ran.clear();
        app.clock_ms = fake_clock;
        app.startup_start_ms = g_now;
        add_first_environment(app);
        app.startup_label = &label;
        app.configuration_pane = &configuration;
        app.configuration_box = &configuration_box;
        // The start-up assembly stages into a workspace of its own and finds
        // no kernel there.
        std::filesystem::create_directories(workspace / "tmp");
        set_workspace_path(workspace.string() + "/");
        set_kernel_path((workspace / "no-such-plim").string());
    }
    void TearDown() override
    {
        set_kernel_path("");
        set_workspace_path("");
        std::filesystem::remove_all(workspace);
    }
    // Sets the clock to `seconds` after the window started and runs a tick.
    void tick_at(double seconds)
    {
        g_now = app.startup_start_ms + static_cast<std::int64_t>(seconds * 1000.0 + 0.5);
        run_frame_tick(app);
    }
    void finish_startup() { app.startup_finished = 1; }

    const std::filesystem::path workspace =
        std::filesystem::temp_directory_path() / ("plim_frame_tick_" + std::to_string(::getpid()));
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    lumo::P label;
    lumo::P configuration;
    lumo::P configuration_box;
};

TEST_F(FrameTick, ADeferredFlagRunsOnTheSixthTickAndTwoFlagsRunInStepOrder)
{
    finish_startup();
    app.platform.open_dialog = native_open;
    app.confirm.accept_action = confirmed;
    app.deferred[DEFERRED_CONFIRMED_ACTION] = 1;
    app.deferred[DEFERRED_NATIVE_OPEN_DIALOG] = 1;
    app.deferred_countdown = DEFERRED_FRAMES;
    for (int tick = 1; tick <= 5; ++tick)
        run_frame_tick(app);
    EXPECT_TRUE(g_ran.empty());
    run_frame_tick(app);
    EXPECT_EQ(g_ran, (std::vector<std::string>{"native-open", "confirmed"}));
    EXPECT_EQ(app.deferred_countdown, -1) << "idles once the countdown ran out";
}

// Each way into the opening state, whatever its dialog answers, ends with
// the opening byte, OPENPANE and the busy style cleared and the masks only
// over what else is open; what was chosen waits to be opened or is stored.
TEST_F(FrameTick, EveryOpeningRouteEndsWithTheWindowUsable)
{
    enum Route { NATIVE_OPEN, NATIVE_FOLDER, DROP_DURING_NATIVE_OPEN };
    struct Case {
        Route route;
        bool service;
        std::string answer;
        std::vector<std::string> pending;
        std::string location;
    };
    const std::string ws = workspace.string() + "/";
    const Case cases[] = {
        {NATIVE_OPEN, false, "", {}, ""},
        {NATIVE_OPEN, true, "", {}, ""},
        {NATIVE_OPEN, true, "/s/a.txt\n/s/b c.txt", {"/s/a.txt", "/s/b c.txt"}, ""},
        {DROP_DURING_NATIVE_OPEN, true, "/s/c.txt", {"/s/c.txt", "/d/x.txt"}, ""},
        {NATIVE_FOLDER, false, "", {}, "/start/"},
        {NATIVE_FOLDER, true, "", {}, "/start/"},
        {NATIVE_FOLDER, true, ws + "_", {}, ws},
        {NATIVE_FOLDER, true, workspace.string(), {}, ws},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.route << " '" << c.answer << "'");
        std::unique_ptr<Application> fresh = std::make_unique<Application>();
        Application& a = *fresh;
        a.clock_ms = fake_clock;
        add_first_environment(a);
        a.startup_finished = 1;
        a.modal_pane_widgets[MODAL_OPENING] = &a.open_pane;
        a.platform.open_dialog = c.service ? dialog : nullptr;
        a.platform.save_dialog = c.service ? dialog : nullptr;
        g_dialog_answer = c.answer;
        a.native_io = 1;
        a.inline_io = 0;
        if (c.route == NATIVE_FOLDER) {
            a.modal[MODAL_EXPORT] = 1; // the location's "..." lies in the export pane
            a.view_settings.export_location = "/start/";
            show_export_location_navigator(a);
            EXPECT_NE(a.open_pane.fill_style, nullptr) << "the busy style shows";
        } else {
            open_script_command(a);
        }
        ASSERT_EQ(a.modal[MODAL_OPENING], 1);
        EXPECT_TRUE(a.open_pane.visible);
        bool dropped = false;
        for (int tick = 0; tick < 3 * DEFERRED_FRAMES; ++tick) {
            run_frame_tick(a);
            // Dropped while the dialog's paths wait for their countdown.
            if (c.route == DROP_DURING_NATIVE_OPEN && !dropped &&
                a.deferred[DEFERRED_OPEN_PENDING_PATHS] != 0)
                dropped = record_dropped_files(a, {"/d/x.txt"});
        }
        EXPECT_EQ(a.modal[MODAL_OPENING], 0);
        EXPECT_FALSE(a.open_pane.visible);
        EXPECT_EQ(a.mask_pane.visible, c.route == NATIVE_FOLDER) << "only the export pane stays";
        EXPECT_EQ(a.open_pane.fill_style, nullptr);
        EXPECT_EQ(a.open_pane.border_top.width, 0);
        EXPECT_EQ(a.pending_paths, c.pending);
        if (c.route == NATIVE_FOLDER) {
            EXPECT_EQ(a.view_settings.export_location, c.location);
        }
        if (c.service) {
            EXPECT_EQ(g_dialog_start, c.route == NATIVE_FOLDER ? "/start/" : ws);
        }
    }
}

TEST_F(FrameTick, AFadeHoldsBackAPendingSwitchAndRunsItsActionOnTheFifthHeldFrame)
{
    finish_startup();
    create_environment(app);
    start_fade(app, fade_action);
    request_environment_switch(app, 0);
    int ticks = 0;
    while (app.fade.active && ticks < 100) {
        run_frame_tick(app);
        ++ticks;
        EXPECT_GE(app.startup_pane.opacity, 0.0);
        EXPECT_LE(app.startup_pane.opacity, 1.0);
    }
    EXPECT_EQ(g_hold_at_fade_action, 5);
    EXPECT_NEAR(ticks, 20 + 8 + 20, 2);
    EXPECT_FALSE(app.startup_pane.visible);
    EXPECT_EQ(app.pending_environment_index, 0) << "the switch waited for the fade";
    EXPECT_EQ(app.environment_switch_countdown, DEFERRED_FRAMES);
    for (int tick = 0; tick <= DEFERRED_FRAMES; ++tick)
        run_frame_tick(app);
    EXPECT_EQ(app.current_environment_index, 0);
    EXPECT_EQ(app.pending_environment_index, -1);
}

TEST_F(FrameTick, AWheelQueueDrainsOneStepPerTickAndKeepsItsValueWhileBlocked)
{
    finish_startup();
    app.camera_motion.wheel_queue = 3;
    app.camera_motion.camera_lock = 1;
    run_frame_tick(app);
    EXPECT_EQ(app.camera_motion.wheel_queue, 3);
    app.camera_motion.camera_lock = 0;
    app.modal[MODAL_HELP] = 1;
    run_frame_tick(app);
    EXPECT_EQ(app.camera_motion.wheel_queue, 3) << "a modal pane blocks it too";
    app.modal[MODAL_HELP] = 0;
    for (int expected : {2, 1, 0}) {
        app.redraw_requested = 0;
        run_frame_tick(app);
        EXPECT_EQ(app.camera_motion.wheel_queue, expected);
        EXPECT_EQ(app.redraw_requested, 1) << "each step redraws";
    }
    app.redraw_requested = 0;
    run_frame_tick(app);
    EXPECT_EQ(app.redraw_requested, 0) << "nothing moved";
}

TEST_F(FrameTick, TimeSpentLockedDoesNotBecomeCameraMotion)
{
    finish_startup();
    app.camera_motion.last_tick_ms = g_now;
    app.camera_motion.camera_lock = 1;
    for (int tick = 0; tick < 500; ++tick) {
        g_now += 10;
        run_frame_tick(app);
    }
    app.camera_motion.camera_lock = 0;
    g_now += 10;
    EXPECT_DOUBLE_EQ(plan_camera_motion(app, g_now).step, 0.5) << "10 ms, not 5 s";
}

struct KeyCase {
    const char* what;
    std::int32_t mode;
    const char* keys;
    std::array<std::uint8_t, 4> arrows;
    std::array<std::uint8_t, 6> moves;
    double dx, dy; // a key drag goes twice as far on the 1440 x 900 window
};

TEST_F(FrameTick, HeldKeysBecomeMovesOrbitOffsetsAndASyntheticDrag)
{
    const KeyCase cases[] = {
        {"roam letters in both cases", CAMERA_FREE_ROAM, "Wae", {}, {1, 1, 0, 0, 0, 1}, 0, 0},
        {"roam arrows", CAMERA_FIRST_PERSON, "", {1, 0, 0, 1}, {}, -4.0, 4.0},
        {"orbit keys", CAMERA_OBJECT_ORBIT, "dq", {}, {}, 4.0, 4.0},
        {"orbit keys and arrows cancel", CAMERA_OBJECT_ORBIT, "d", {1, 0, 0, 0}, {}, 0, 0},
    };
    app.window_width = 1440;
    app.window_height = 900;
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        app.held_keys = {};
        for (const char* key = c.keys; *key != 0; ++key)
            app.held_keys.keys[static_cast<unsigned char>(*key)] = 1;
        app.held_keys.arrows = c.arrows;
        app.camera_mode = c.mode;
        app.camera_motion.last_tick_ms = g_now - 20; // one unit of motion
        const CameraMotion motion = plan_camera_motion(app, g_now);
        EXPECT_DOUBLE_EQ(motion.step, 1.0);
        EXPECT_EQ(motion.moves, c.moves);
        EXPECT_DOUBLE_EQ(motion.dx, c.dx);
        EXPECT_DOUBLE_EQ(motion.dy, c.dy);
        EXPECT_EQ(motion.synthetic_drag, c.dx != 0.0 || c.dy != 0.0);
        EXPECT_EQ(motion.synthetic_drag_to, (std::array{int(c.dx) * 2, int(c.dy) * 2}));
    }
}

// What one tick of held input does to the camera, as a person sees it.
TEST_F(FrameTick, HeldInputMovesTheCameraAndAKeyDragEndsWithinItsTick)
{
    struct Case {
        const char* what;
        std::int32_t mode;
        unsigned char key;
        std::int32_t arrow; // -1 none
        std::int32_t wheel;
        double (*watched)(const Application&); // grows with the motion
    };
    const Case cases[] = {
        {"w walks towards the scene in free-roam", CAMERA_FREE_ROAM, 'w', -1, 0,
         [](const Application& a) { return -a.camera.eye[2]; }},
        {"an arrow turns like a drag", CAMERA_FREE_ROAM, 0, ARROW_RIGHT, 0,
         [](const Application& a) { return a.camera.forward[0]; }},
        {"d orbits in object-orbit", CAMERA_OBJECT_ORBIT, 'd', -1, 0,
         [](const Application& a) { return -a.view_settings.euler_degrees[0]; }},
        {"the wheel zooms in in object-orbit", CAMERA_OBJECT_ORBIT, 0, -1, 1,
         [](const Application& a) { return a.view_settings.zoom; }},
    };
    finish_startup();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app.held_keys = {};
        if (c.key != 0) app.held_keys.keys[c.key] = 1;
        if (c.arrow >= 0) app.held_keys.arrows[static_cast<std::size_t>(c.arrow)] = 1;
        app.camera_motion.wheel_queue = c.wheel;
        app.camera_mode = c.mode;
        update_camera_direction(app.camera);
        const double before = c.watched(app);
        app.camera_motion.last_tick_ms = g_now - 20;
        app.redraw_requested = 0;
        run_frame_tick(app);
        EXPECT_GT(c.watched(app), before);
        EXPECT_EQ(app.redraw_requested, 1);
        EXPECT_EQ(app.view_drag.active, 0);
    }
}

TEST_F(FrameTick, StaleSelectionAndVariantIndicesAreIgnored)
{
    finish_startup();
    app.current_selection->selected_position = 7; // its entity was deleted
    app.pending_variant_sync = 3;                 // the variants were rebuilt without it
    run_frame_tick(app);
    EXPECT_EQ(app.pending_variant_sync, -1);
}

TEST_F(FrameTick, PlainStartUpRunsItsTimelineFromLogoToFinish)
{
    app.startup_variant = 0;
    tick_at(1.0);
    EXPECT_DOUBLE_EQ(app.startup_logo.opacity, 1.0) << "the earlier step wins at t = 1.0";
    tick_at(2.1);
    EXPECT_DOUBLE_EQ(app.startup_stamps[STAMP_WORKSPACE], 2.1);
    EXPECT_TRUE(label.visible && !app.startup_logo.visible && !configuration_box.visible);
    tick_at(2.35);
    EXPECT_DOUBLE_EQ(label.opacity, 0.5);
    tick_at(2.7); // the assembly: the kernel cannot run, so nothing comes back
    const double end = app.startup_stamps[STAMP_ASSEMBLY_END];
    EXPECT_DOUBLE_EQ(end, 2.7);
    EXPECT_EQ(app.builtin_mesh, nullptr);
    const struct {
        double d;
        double label_opacity;
        double logo_opacity; // -1: hidden
        double pane_opacity;
    } steps[] = {{0.25, 0.5, -1.0, 1.0}, {1.375, 0.5, 0.5, 1.0}, {2.125, 0.5, 0.5, 0.5}};
    for (const auto& step : steps) {
        tick_at(end + step.d);
        EXPECT_DOUBLE_EQ(label.opacity, step.label_opacity) << step.d;
        EXPECT_NEAR(app.startup_logo.visible ? app.startup_logo.opacity : -1.0, step.logo_opacity,
                    1e-9)
            << step.d;
        EXPECT_NEAR(app.startup_pane.opacity, step.pane_opacity, 1e-9) << step.d;
    }
    EXPECT_FALSE(configuration.visible);
    EXPECT_FALSE(app.startup_finished);
    tick_at(end + 2.6);
    EXPECT_TRUE(app.startup_finished && !app.startup_pane.visible);
}

TEST_F(FrameTick, ConfigurationStartUpWaitsForTheWorkspaceHowEverLong)
{
    app.startup_variant = 1;
    app.startup_pane.visible = true;
    tick_at(2.25);
    EXPECT_DOUBLE_EQ(app.startup_pane.opacity, 0.5);
    for (double t : {3.0, 60.0, 600.0}) {
        tick_at(t);
        EXPECT_FALSE(app.startup_pane.visible) << "the configuration pane is free to use";
        EXPECT_LT(app.startup_stamps[STAMP_ASSEMBLY_START], 0.0) << "nothing assembled";
    }
    stamp_workspace_applied(app);
    tick_at(600.25);
    EXPECT_TRUE(app.startup_pane.visible && !label.visible);
    EXPECT_DOUBLE_EQ(app.startup_pane.opacity, 0.5);
    tick_at(600.75);
    EXPECT_TRUE(label.visible && !configuration_box.visible);
    EXPECT_DOUBLE_EQ(label.opacity, 0.5);
    tick_at(601.1);
    EXPECT_DOUBLE_EQ(app.startup_stamps[STAMP_ASSEMBLY_START], 601.1);
}

TEST(AssemblyTimeLine, ShowsWholeMilliseconds)
{
    const std::pair<double, const char*> cases[] = {
        {412.4, "Environment-Assembly : 412 ms"},
        {0.3, "Environment-Assembly : 0 ms"},
        {999.7, "Environment-Assembly : 1000 ms"},
    };
    for (const auto& [ms, line] : cases)
        EXPECT_EQ(assembly_time_line(ms), line);
}

} // namespace

// A camera change that does not go through the tick's own motion (a VIEW
// preset, a focus, a directive) shows in the status line on the next frame.
TEST_F(FrameTick, TheStatusLineFollowsACameraChangeOnTheNextTick)
{
    finish_startup();
    run_frame_tick(app);
    set_view_top(app);
    run_frame_tick(app);
    EXPECT_NE(app.status_line_text.find("fwd(0.00,-1.00,"), std::string::npos)
        << app.status_line_text;
    set_view_front(app);
    run_frame_tick(app);
    EXPECT_EQ(app.status_line_text.find("fwd(0.00,-1.00,"), std::string::npos)
        << app.status_line_text;
}

// Idle ticks leave the status line alone, yet each thing it shows still
// reaches it on the next tick.
TEST_F(FrameTick, TheStatusLineFollowsTheWindowSizeAndTheEntityCount)
{
    finish_startup();
    run_frame_tick(app);
    const std::string idle = app.status_line_text;
    run_frame_tick(app);
    EXPECT_EQ(app.status_line_text, idle);

    app.window_width = 1200;
    app.window_height = 800;
    run_frame_tick(app);
    EXPECT_NE(app.status_line_text.find("1200 x 800"), std::string::npos) << app.status_line_text;

    ASSERT_NE(app.current_entity_list, nullptr);
    app.current_entity_list->count += 1;
    run_frame_tick(app);
    EXPECT_NE(app.status_line_text.find(std::to_string(app.current_entity_list->count) +
                                        (app.current_entity_list->count == 1 ? " entity"
                                                                             : " entities")),
              std::string::npos)
        << app.status_line_text;
    app.current_entity_list->count -= 1;
}

// While the read-out is shown, every tick shows the frames timed since the
// last; switched off, it keeps its last text.
TEST_F(FrameTick, TheFrameRateReadOutFollowsTheTimedFramesWhileShown)
{
    finish_startup();
    app.view_settings.show_fps = 1;
    app.frame_times_ns.fill(0);
    run_frame_tick(app);
    EXPECT_EQ(app.fps_readout.label, "? fps (0.0 ms)");
    app.frame_times_ns.fill(10'000'000);
    run_frame_tick(app);
    EXPECT_EQ(app.fps_readout.label, "100.0 fps (10.0 ms)");
    app.view_settings.show_fps = 0;
    app.frame_times_ns.fill(20'000'000);
    run_frame_tick(app);
    EXPECT_EQ(app.fps_readout.label, "100.0 fps (10.0 ms)");
}
