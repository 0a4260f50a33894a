// The 3-D view of the built interface in a real window: an example script
// opened through the stand-in kernel is drawn, and a TOPOLOGY row changes
// the picture.

#include "tests/platform/x11/display_fixture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/commands/script_loading.h"
#include "app/frame/app_slots.h"
#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "lumo/gl/textures.h"
#include "platform/kernel_config.h"
#include "platform/services.h"

namespace fs = std::filesystem;

namespace {

using Pixels = std::vector<unsigned char>;

class SceneDisplay : public GlWindowTest<720, 480> {
protected:
    fs::path workspace;

    void SetUp() override
    {
        create_application();
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        show_gl_window();
        workspace = fs::temp_directory_path() / ("plim-scene-" + std::to_string(::getpid()));
        fs::create_directories(workspace / "tmp");
        ASSERT_TRUE(set_kernel_path(STANDIN_KERNEL_PATH));
        ASSERT_TRUE(set_workspace_path(workspace.string() + "/"));
        Application& app = *g_app;
        build_application_ui(app);
        app.startup_finished = 1;
        app.startup_pane.visible = false;
        app.configuration_pane_widgets.pane.visible = false;
        app.root.width = 720;
        app.root.height = 480;
    }

    void TearDown() override
    {
        lumo::delete_toolkit_textures();
        GlWindowTest::TearDown();
        destroy_application();
        set_kernel_path("");
        set_workspace_path("");
        std::error_code ignored;
        fs::remove_all(workspace, ignored);
    }

    // One frame, read back from the back buffer before it is swapped.
    Pixels frame()
    {
        g_app->redraw_requested = 1;
        paint_frame_timed(*g_app);
        Pixels pixels(720 * 480 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 720, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // Pixels of the view's middle that differ from the clear colour.
    static int drawn(const Pixels& pixels)
    {
        const double clear[3] = {g_clear_colour.red, g_clear_colour.green, g_clear_colour.blue};
        int count = 0;
        for (int y = 140; y < 340; ++y)
            for (int x = 260; x < 460; ++x) {
                int distance = 0;
                for (int k = 0; k < 3; ++k)
                    distance += std::abs(pixels[std::size_t(y * 720 + x) * 3 + std::size_t(k)] -
                                         static_cast<int>(clear[k] * 255.0 + 0.5));
                count += distance > 12 ? 1 : 0;
            }
        return count;
    }

    static int changed(const Pixels& a, const Pixels& b)
    {
        int count = 0;
        for (std::size_t i = 0; i < a.size(); i += 3)
            count += std::equal(&a[i], &a[i] + 3, &b[i]) ? 0 : 1;
        return count;
    }
};

TEST_F(SceneDisplay, AnOpenedExampleIsDrawnAndTheTopologyRowsChangeThePicture)
{
    Application& app = *g_app;
    const int empty = drawn(frame());
    app.pending_paths = {std::string(PLIM_SOURCE_DIR) + "/examples/simple.plim"};
    app.pending_path_count = 1;
    open_script_paths(app);
    ASSERT_EQ(app.current_entity_list->count, 1) << "the example was assembled";
    const Pixels surface = frame();
    EXPECT_GT(drawn(surface), empty + 2000) << "the pedestal and ball fill the view's middle";
    lumo::P& polygons = app.tool_menus[TOOL_MENU_TOPOLOGY].rows[1];
    ASSERT_NE(polygons.on_click, nullptr);
    polygons.on_click();
    const Pixels outlined = frame();
    EXPECT_GT(changed(surface, outlined), 200) << "the polygon outlines show over the surface";
    app.tool_menus[TOOL_MENU_TOPOLOGY].rows[0].on_click();
    polygons.on_click();
    EXPECT_TRUE(app.no_render.visible) << "every topology is off";
    EXPECT_GT(changed(surface, frame()), 2000) << "the mesh is gone";
}

} // namespace
