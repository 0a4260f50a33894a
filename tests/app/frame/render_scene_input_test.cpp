#include "app/frame/render_scene_input.h"

#include <gtest/gtest.h>

#include "app/frame/input_handlers.h"
#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "shell/window_layout.h"

namespace {

// Two panes side by side in a window of odd width: the panes the renderer
// draws meet without a gap and reach the view's inner right edge.
TEST(RenderSceneInput, SplitPanesFillTheViewAtAnOddWidth)
{
    Application& app = create_application();
    build_application_ui(app);
    app.view.split_viewport_pane(0, lumo::kSplitX, 0.5, 1, 1);
    handle_app_resize(app, 721, 481);
    lay_out_view_panels(app, 721, 481);
    app.root.layout();
    const RenderScene scene = build_render_scene(app);
    ASSERT_EQ(scene.panes.size(), 2u);
    EXPECT_EQ(scene.panes[0].x + scene.panes[0].width, scene.panes[1].x);
    EXPECT_EQ(scene.panes[1].x + scene.panes[1].width,
              app.view.x + app.view.width - app.view.insets.right);
    destroy_application();
}

} // namespace
