#include "app/actions/export_option_callbacks.h"

#include <utility>

#include "app/commands/export_command.h"
#include "state/application.h"
#include "shell/refresh.h"

namespace {

constexpr int EXPORT_FORMAT_COUNT = 4;

// The option byte that attribute button `button` stands for.
std::uint8_t& attribute_option(ViewSettings& settings, int button)
{
    switch (button) {
    case EXPORT_BUTTON_NORMALS:
    case EXPORT_BUTTON_COLOURS:
    case EXPORT_BUTTON_BINARY:
        return settings.export_attributes[static_cast<std::size_t>(button)];
    case EXPORT_BUTTON_POLYGONS:
    case EXPORT_BUTTON_TRIANGLES:
        return settings
            .export_topologies[static_cast<std::size_t>(button - EXPORT_BUTTON_POLYGONS)];
    default:
        return settings.export_option;
    }
}

template <int Button> bool on_attribute_click()
{
    if (g_app != nullptr) toggle_export_attribute(*g_app, Button);
    return true;
}

template <int Format> bool on_format_click()
{
    if (g_app != nullptr) toggle_export_format(*g_app, Format);
    return true;
}

// Each key that changes the name field's text makes it the export name, so
// the next export uses what is shown.
bool on_export_name_key(int /*key*/, int /*modifiers*/)
{
    if (g_app == nullptr) return true;
    g_app->view_settings.export_name = g_app->export_name_field.label;
    refresh_root(*g_app);
    return true;
}

// Enter ends the edit; the name is already taken.
void on_export_name_enter()
{
    if (g_app != nullptr && g_app->export_name_field.focused) g_app->export_name_field.drop_focus();
}

template <int... I> void wire_attributes(Application& app, std::integer_sequence<int, I...>)
{
    ((app.export_name_part_toggles[I].on_click = on_attribute_click<I>), ...);
}

template <int... I> void wire_formats(Application& app, std::integer_sequence<int, I...>)
{
    ((app.export_pane_widgets.format_toggles[I].on_click = on_format_click<I>), ...);
}

} // namespace

void toggle_export_attribute(Application& app, int button)
{
    if (button < 0 || button >= EXPORT_BUTTON_COUNT) return;
    const auto at = static_cast<std::size_t>(button);
    ViewSettings& settings = app.view_settings;
    std::uint8_t& state = settings.export_name_parts[at];
    state = state != 0 ? 0 : 1;
    attribute_option(settings, button) = state;
    show_export_size_estimate(app);
    app.export_name_part_toggles[at].selected = state != 0;
    refresh_root(app);
}

void toggle_export_format(Application& app, int format)
{
    if (format < 0 || format >= EXPORT_FORMAT_COUNT) return;
    const auto at = static_cast<std::size_t>(format);
    std::uint8_t& chosen = app.view_settings.export_formats[at];
    chosen = chosen != 0 ? 0 : 1;
    show_export_size_estimate(app);
    app.export_pane_widgets.format_toggles[at].selected = chosen != 0;
    app.export_pane_widgets.format_markers[at].selected = chosen != 0;
    refresh_root(app);
}

void wire_export_option_callbacks(Application& app)
{
    wire_attributes(app, std::make_integer_sequence<int, EXPORT_BUTTON_COUNT>{});
    wire_formats(app, std::make_integer_sequence<int, EXPORT_FORMAT_COUNT>{});
    app.export_name_field.on_key_down_callback = on_export_name_key;
    app.export_name_field.on_enter = on_export_name_enter;
}
