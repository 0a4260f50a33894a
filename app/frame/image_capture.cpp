#include "app/frame/image_capture.h"

#include "state/application.h"
#include "panels/console_channels.h"
#include "panels/inspection_text.h"
#include "render/gl/image_capture.h"
#include "shell/camera_control.h"
#include "shell/confirm_pane.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

std::int32_t flat_entity_count(const EntityList& list)
{
    std::size_t count = 0;
    for (const Entity& entity : list.entities)
        count += 1 + (entity.kind == ENTITY_GROUP ? entity.members.size() : 0);
    return static_cast<std::int32_t>(count);
}

void open_capture_pane(Application& app, ModalState state)
{
    app.modal[state] = 1;
    if (lumo::P* pane = modal_pane_widget(app, state)) pane->visible = true;
    if (state == MODAL_SCREENSHOT) app.border.border_top.width = app.layout.thin_border;
    set_modal_masks(app, true);
    refresh_root(app);
    app.redraw_requested = 1;
    request_paint(app);
}

void take_capture(Application& app, const RenderScene& scene)
{
    const bool snapshot = app.capture_request == CAPTURE_SNAPSHOT;
    app.capture_request = CAPTURE_NONE;
    CapturedImage image = snapshot ? capture_scene_image(scene, app.image_gl)
                                   : capture_window_image(scene.window_width, scene.window_height);
    if (image.pixels.empty()) {
        console_append_error_trace(app, "Error Capturing Image : " + app.capture_file_name);
        show_error_pane(app, "Error Capturing Image", app.capture_file_name);
        return;
    }
    upload_capture_texture(image, app.image_gl);
    app.captured_pixels = std::move(image.pixels);
    app.captured_width = image.width;
    app.captured_height = image.height;
    lumo::P& preview = snapshot ? app.capture_pane.preview : app.screenshot_pane.preview;
    preview.image = lumo::WidgetImage::kCapture;
    preview.image_uv = {0.0f, 0.0f, 1.0f, 1.0f};
    open_capture_pane(app, snapshot ? MODAL_CAPTURE : MODAL_SCREENSHOT);
}

// The camera of directive `index`, found by applying the directive and
// putting the live camera back.
CameraSettings directive_camera(Application& app, int index)
{
    const CameraSettings live = app.camera;
    const std::int32_t current = app.view_settings.current_camera_directive;
    const std::uint8_t redraw = app.redraw_requested;
    apply_camera_directive(app, index);
    const CameraSettings directive = app.camera;
    app.camera = live;
    app.view_settings.current_camera_directive = current;
    app.redraw_requested = redraw;
    return directive;
}

void render_thumbnails(Application& app, const RenderScene& scene)
{
    if (scene.panes.empty()) return;
    if (app.refresh_preview != 0) {
        app.refresh_preview = 0;
        if (app.current_environment != nullptr)
            render_thumbnail(scene, scene.panes.front().camera,
                             environment_thumbnail_cell(app.current_environment->id), app.image_gl);
    }
    if (app.directive_refresh != 0) {
        app.directive_refresh = 0;
        const int count = static_cast<int>(app.directive_menus.camera_points.size());
        for (int i = 0; i < count; ++i)
            render_thumbnail(scene, directive_camera(app, i), directive_thumbnail_cell(i),
                             app.image_gl);
    }
}

// The view itself carries no hint: while the pointer rests on a picked
// element, the hint bar shows the indicator's two lines, so a person sees
// what lies under the pointer without moving to the indicator.
void show_pick_in_hint_bar(Application& app)
{
    lumo::P& indicator = app.llmi_indicator;
    if (indicator.hint_title == nullptr || lumo::g_tooltip_widget != nullptr) return;
    lumo::g_tooltip_widget = &indicator;
    if (app.hint_texts[0] != *indicator.hint_title || app.hint_texts[1] != *indicator.hint_text)
        app.hint_bar.last_tooltip = nullptr;
    update_hover_hint(app);
}

void pick_under_pointer(Application& app, const RenderScene& scene)
{
    const int x = app.pointer_position[0];
    const int y = app.pointer_position[1];
    if (pane_at(scene, x, y) < 0) return;
    store_pick(app, pick_scene(scene, x, y, app.image_gl));
    // Without a pick mode the lines wait on the indicator's own hint.
    if (app.view_settings.pick_mode != '!') show_pick_in_hint_bar(app);
}

} // namespace

bool store_pick(Application& app, const PickResult& pick)
{
    std::int32_t entity =
        pick.entity >= PICK_NONE ? NO_PICK : static_cast<std::int32_t>(pick.entity);
    std::int32_t triangle =
        pick.triangle >= PICK_NONE ? NO_PICK : static_cast<std::int32_t>(pick.triangle);
    const bool listed =
        app.current_entity_list != nullptr && entity < flat_entity_count(*app.current_entity_list);
    if (entity == NO_PICK || !listed) entity = triangle = NO_PICK;
    if (entity == app.picked_element[0] && triangle == app.picked_element[1]) return false;
    app.picked_element = {entity, triangle};
    format_inspection_text(app);
    return true;
}

void run_image_passes(Application& app, const RenderScene& scene)
{
    if (app.capture_request != CAPTURE_NONE) take_capture(app, scene);
    render_thumbnails(app, scene);
    pick_under_pointer(app, scene);
}

void release_image_passes(Application& app)
{
    release_image_gl_cache(app.image_gl);
}
