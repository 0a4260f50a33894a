#pragma once

// The application of the frame tests, created and destroyed around each test,
// without a window.

#include "tests/platform/x11/display_fixture.h"

#include "state/application.h"
#include "app/frame/app_slots.h"
#include "app/frame/startup.h"
#include "lumo/widget.h"

class App : public ::testing::Test {
protected:
    void SetUp() override
    {
        create_application();
        g_slot_log.clear();
    }

    void TearDown() override
    {
        g_windows[0] = nullptr;
        for (std::uint32_t& count : lumo::g_held_key_counts)
            count = 0;
        destroy_application();
    }

    Application& app() { return *g_app; }
    WindowCallbacks* window() { return &g_app_window; }
};
