// The start-up pieces that need no window.

#include "app/frame/startup.h"

#include <utility>

#include "lumo/font.h"
#include "model/text_metrics.h"
#include "platform/char_widths.h"
#include "tests/app/frame/app_fixture.h"

TEST_F(App, TheAvailableInterfaceHasAnEnvironmentCharacterWidthsAndARepaintingRoot)
{
    build_available_interface(app());
    build_available_interface(app());
    ASSERT_NE(app().current_environment, nullptr);
    EXPECT_EQ(app().environment_store.records.size(), 1u) << "a second call adds no environment";
    ASSERT_EQ(g_char_widths.size(), 256u);
    EXPECT_EQ(g_char_widths['W'], lumo::g_font_handles[lumo::kFontSmall].widths['W']);
    EXPECT_GT(g_char_widths['W'], g_char_widths['i']);
    EXPECT_EQ(g_default_line_height, 14) << "each console line adds the small font's height";
    EXPECT_EQ(std::pair(app().root.width, app().root.height), std::pair(720, 480));
    g_repaint_requested = 0;
    app().root.refresh();
    EXPECT_EQ(g_repaint_requested, 1) << "a refresh of the root asks the platform for a paint";
}
