#include "app/actions/image_capture.h"

#include <filesystem>
#include <system_error>

#include "state/application.h"
#include "lumo/widget.h"
#include "panels/console_channels.h"
#include "platform/kernel_config.h"
#include "platform/local_time.h"
#include "render/picking.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

// The local date-time through the platform service, or straight from the
// clock where the service is not installed.
std::string capture_stamp(const Application& app)
{
    const std::string stamp = query_local_datetime_text(app);
    return stamp.empty() ? local_datetime_string() : stamp;
}

void request_capture(Application& app, CaptureRequest request, const std::string& name)
{
    app.capture_file_name = name;
    app.capture_request = request;
    app.redraw_requested = 1;
    request_paint(app);
}

void close_pane(Application& app, ModalState state)
{
    app.modal[state] = 0;
    if (lumo::P* pane = modal_pane_widget(app, state)) pane->visible = false;
    set_modal_masks(app, is_any_modal_open(app));
}

bool write_whole_or_nothing(Application& app, const std::string& path)
{
    if (app.platform.write_image == nullptr || app.captured_pixels.empty()) return false;
    const std::size_t expected =
        std::size_t(app.captured_width) * std::size_t(app.captured_height) * 4;
    if (app.captured_width <= 0 || app.captured_height <= 0 ||
        app.captured_pixels.size() != expected)
        return false;
    const std::string partial = path + ".part";
    std::error_code error;
    const bool written =
        app.platform.write_image(partial, "png", app.captured_pixels.data(), app.captured_width,
                                 app.captured_height, app.captured_width * 4);
    if (written) std::filesystem::rename(partial, path, error);
    if (written && !error) return true;
    std::filesystem::remove(partial, error);
    return false;
}

// `what` is "Snapshot" or "Screenshot".
void save_captured_image(Application& app, ModalState pane, const std::string& what)
{
    close_pane(app, pane);
    const std::string path = get_workspace_path() + app.capture_file_name;
    if (!app.capture_file_name.empty() && write_whole_or_nothing(app, path)) {
        console_append_file_io_trace(app, what + " Saved : " + path);
        show_info_pane(app, what + " Saved", path);
    } else {
        console_append_error_trace(app, "Error Saving " + what + " : " + path);
        show_error_pane(app, "Error Saving " + what, path);
    }
    refresh_root(app);
}

bool modifier_held()
{
    return lumo::g_held_key_counts[0] != 0 || lumo::g_held_key_counts[1] != 0 ||
           lumo::g_held_key_counts[2] != 0;
}

} // namespace

void make_snapshot_name(Application& app)
{
    request_capture(app, CAPTURE_SNAPSHOT, snapshot_file_name(capture_stamp(app)));
}

void make_screenshot_name(Application& app)
{
    request_capture(app, CAPTURE_SCREENSHOT, screenshot_file_name(capture_stamp(app)));
}

void save_environment_image(Application& app)
{
    save_captured_image(app, MODAL_CAPTURE, "Snapshot");
}

void save_application_screenshot(Application& app)
{
    save_captured_image(app, MODAL_SCREENSHOT, "Screenshot");
}

bool run_capture_follow_up(Application& app, EnterFollowUp follow_up)
{
    if (follow_up == EnterFollowUp::SAVE_ENVIRONMENT_IMAGE) {
        save_environment_image(app);
        return true;
    }
    if (follow_up == EnterFollowUp::SAVE_SCREENSHOT) {
        save_application_screenshot(app);
        return true;
    }
    return false;
}

bool on_capture_button_click()
{
    if (modifier_held())
        make_screenshot_name(*g_app);
    else
        make_snapshot_name(*g_app);
    return true;
}

