#include "shell/pane_contents.h"

#include <algorithm>
#include <array>

#include "state/application.h"
#include "lumo/font.h"
#include "shell/window_layout.h"

namespace {

// set_label measures the text again; labels that did not change keep their
// measure, since the sync runs with every refresh.
void show_text(lumo::P& widget, const std::string& text)
{
    if (widget.label != text) widget.set_label(text);
}

void show_field_text(lumo::F& field, const std::string& text)
{
    if (field.label != text) field.set_label_field(text);
}

// A box of the given size centred in a pane of width x height.
void centre(lumo::P& box, int width, int height, int box_width, int box_height)
{
    set_rect(box, (width - box_width) / 2, (height - box_height) / 2, box_width, box_height);
}

constexpr int CONFIG_BOX_WIDTH = 560;
constexpr int CONFIG_BOX_HEIGHT = 232;
constexpr int CONFIRM_BOX_HEIGHT = 224;
constexpr int LOGO_SIZE = 128;

void lay_out_configuration_box(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    ConfigurationWidgets& config = app.configuration_pane_widgets;
    set_rect(config.pane, 0, 0, width, height);
    centre(config.box, width, height, CONFIG_BOX_WIDTH, CONFIG_BOX_HEIGHT);
    const int inner = CONFIG_BOX_WIDTH - 4 * G;
    const int button_width = 4 * M;
    set_rect(config.title, 2 * G, G, inner, 2 * M);
    const int field_width = inner - button_width - G;
    const int rows[2] = {3 * M, 5 * M};
    lumo::F* fields[2] = {&config.kernel_field, &config.workspace_field};
    lumo::T* states[2] = {&config.kernel_state, &config.workspace_state};
    lumo::P* buttons[2] = {&config.kernel_button, &config.workspace_button};
    for (int i = 0; i < 2; ++i) {
        set_rect(*fields[i], 2 * G, rows[i], field_width, M);
        set_rect(*states[i], 2 * G, rows[i] + M, field_width, M);
        set_rect(*buttons[i], 2 * G + field_width + G, rows[i], button_width, M);
    }
    set_rect(config.status_button, CONFIG_BOX_WIDTH - 2 * G - button_width,
             CONFIG_BOX_HEIGHT - M - G, button_width, M);
}

} // namespace

void lay_out_startup_panes(Application& app, int width, int height)
{
    set_rect(app.startup_pane, 0, 0, width, height);
    centre(app.startup_logo, width, height, LOGO_SIZE, LOGO_SIZE);
    centre(app.startup.label, width, height, LOGO_SIZE, app.layout.row_height);
    app.startup.label.x = (width - app.startup.label.label_width) / 2;
    lay_out_configuration_box(app, width, height);
}

void lay_out_confirm_box(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    const int W = app.layout.dialog_width;
    ConfirmPaneWidgets& confirm = app.confirm_pane;
    centre(confirm.box, width, height, W, CONFIRM_BOX_HEIGHT);
    set_rect(confirm.icon, G, G, M, M);
    set_rect(confirm.title, M + 2 * G, G, W - M - 4 * G, M);
    set_rect(confirm.text, 2 * G, M + 2 * G, W - 4 * G, 2 * M);
    set_rect(confirm.option_row, 2 * G, 3 * M + 3 * G, W - 4 * G, M);
    const int option_width = (W - 4 * G) / 4;
    set_rect(confirm.option_label, 0, 0, option_width, M);
    for (int i = 0; i < 3; ++i)
        set_rect(confirm.option_buttons[static_cast<std::size_t>(i)], option_width * (i + 1), 0,
                 option_width, M);
    const int button_width = 4 * M;
    for (int i = 0; i < 2; ++i)
        set_rect(confirm.answer_buttons[static_cast<std::size_t>(i)],
                 W - (2 - i) * (button_width + G) - G, CONFIRM_BOX_HEIGHT - M - 2 * G, button_width,
                 M);
}

// The file pane's own layout places its header, list and scroll parts; the
// path bar, the texts and the OK button sit in the two rows below the list.
void lay_out_navigator_pane(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    const int U = app.layout.bar_unit;
    NavigatorPaneWidgets& nav = app.navigator_pane;
    set_rect(app.navigator_dimmer, 0, 0, width, height);
    const int footer = height - 2 * (U + M) + M;
    // The path buttons stand a gap below the bar's top and above its foot,
    // so the bar is that much taller than a row and shows them whole; HOME,
    // REFRESH, ALL and NONE end the row level with them.
    const int bar_height = M + 2 * G;
    const int button_width = U + G;
    const int buttons_x = width - 4 * button_width;
    set_rect(nav.path_bar, 0, footer, buttons_x, bar_height);
    const std::array<lumo::P*, 4> buttons{
        &nav.header_buttons[NAV_HOME], &nav.header_buttons[NAV_REFRESH],
        &nav.header_buttons[NAV_SELECT_ALL], &nav.select_none_button};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        set_rect(*buttons[i], buttons_x + static_cast<int>(i) * button_width, footer + G,
                 button_width, M);
    const int texts = footer + bar_height;
    set_rect(nav.location_label, G, texts, width / 3, U);
    set_rect(nav.path_label, width / 3, texts, width / 3, U);
    set_rect(nav.title, G, texts + U, width - 3 * U - G, M);
    set_rect(nav.hint, G, texts + U, width - 3 * U - G, M);
    set_rect(nav.ok_button, width - 3 * U + G, texts + U / 2, 3 * U - 2 * G, M);
}

// The title row holds CULLING and PROFILER left of the close box; the body
// below it holds, from the top, the mode title, the three mode buttons with
// their column of cells beneath each (the fourth cell a band that marks the
// chosen column) and the six feature rows in two columns; the assemble
// button stands at the foot. The body scrolls by its own content offset.
void lay_out_run_contents(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    const int T = app.layout.strip_height;
    RunPaneWidgets& run = app.run_pane;
    const int toggle_width = 3 * M;
    const int close_x = run.dialog.close_box.x;
    set_rect(app.profiler_toggle, close_x - G - toggle_width, G, toggle_width, T);
    set_rect(app.culling_toggle, app.profiler_toggle.x - G - toggle_width, G, toggle_width, T);
    run.dialog.title.width = std::max(0, app.culling_toggle.x - run.dialog.title.x - G);
    set_rect(run.assemble_button, width - 2 * G - 4 * M, height - M - G, 4 * M, M);
    const int body_top = M + 2 * G;
    set_rect(run.body, G, body_top, width - 2 * G, std::max(0, height - body_top - M - 2 * G));
    const int inner = run.body.width - 2 * G;
    const int column = inner / 3;
    set_rect(run.mode_title, G, 0, inner, M);
    for (int i = 0; i < 3; ++i)
        set_rect(app.execution_mode_buttons[static_cast<std::size_t>(i)], G + i * column, M + G,
                 column - G / 2, M);
    const int grid_top = 2 * M + 2 * G;
    for (std::size_t cell = 0; cell < run.mode_cells.size(); ++cell) {
        const int row = static_cast<int>(cell / 3);
        const int x = G + static_cast<int>(cell % 3) * column;
        set_rect(run.mode_cells[cell], x, grid_top + row * T, column - G / 2, row < 3 ? T : G);
    }
    const int features_top = grid_top + 3 * T + 2 * G;
    const int half = inner / 2;
    for (std::size_t row = 0; row < run.feature_rows.size(); ++row)
        set_rect(run.feature_rows[row], G + static_cast<int>(row / 3) * half,
                 features_top + static_cast<int>(row % 3) * T, half, T);
    run.body.content_height = features_top + 3 * T + G;
    const int lowest = std::min(0, run.body.height - run.body.content_height);
    run.body.content_offset_y = std::clamp(run.body.content_offset_y, lowest, 0);
}

// From the top: the estimate, the name field, the location field with its
// "..." button, the four format rows with their markers in a second column,
// the six option buttons in one row and the export button at the foot.
void lay_out_export_contents(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    const int T = app.layout.strip_height;
    ExportPaneWidgets& pane = app.export_pane_widgets;
    const int inner = width - 4 * G;
    set_rect(pane.estimate_label, 2 * G, M + 2 * G, inner, T);
    set_rect(app.export_name_field, 2 * G, M + T + 3 * G, inner, M);
    const int location_y = 2 * M + T + 4 * G;
    set_rect(app.export_location_field, 2 * G, location_y, inner - 3 * M - G, M);
    set_rect(pane.location_button, width - 2 * G - 3 * M, location_y, 3 * M, M);
    const int rows_y = location_y + M + 2 * G;
    const int row_width = inner - T - G;
    for (std::size_t i = 0; i < pane.format_toggles.size(); ++i) {
        const int y = rows_y + static_cast<int>(i) * T;
        set_rect(pane.format_toggles[i], 2 * G, y, row_width, T);
        set_rect(pane.format_descriptions[i], 2 * G + 2 * M, y, row_width - 2 * M, T);
        set_rect(pane.format_markers[i], 2 * G + inner - T + G / 2, y + G / 2, T - G, T - G);
    }
    const int options_y = rows_y + 4 * T + G;
    const int count = static_cast<int>(app.export_name_part_toggles.size());
    const int cell = inner / count;
    for (int i = 0; i < count; ++i)
        set_rect(app.export_name_part_toggles[static_cast<std::size_t>(i)], 2 * G + i * cell,
                 options_y, cell - G / 2, M + G);
    set_rect(pane.export_button, width - 2 * G - 4 * M, height - M - G, 4 * M, M);
}

void lay_out_profile_contents(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    ProfilePaneWidgets& pane = app.profile_pane;
    const int list_width = app.ppd_view.row_list_visible ? width / 3 : 0;
    const int top = M + 2 * G;
    const int bottom = height - M - 2 * G;
    set_rect(pane.row_scroll, G, top, list_width, bottom - top);
    pane.row_scroll.visible = list_width > 0;
    set_rect(pane.report_scroll, G + list_width, top, width - 2 * G - list_width, bottom - top);
    set_rect(pane.row_toggle, G, bottom + G, 3 * M, M);
    for (std::size_t i = 0; i < pane.buttons.size(); ++i)
        set_rect(pane.buttons[i], width - static_cast<int>(3 - i) * (3 * M + G) - G, bottom + G,
                 3 * M, M);
}

void sync_message_panes(Application& app)
{
    const std::pair<const MessagePane*, DialogWidgets*> panes[] = {
        {&app.message_panes.info, &app.info_pane},
        {&app.message_panes.error, &app.error_pane},
        {&app.message_panes.warning, &app.warning_pane},
        {&app.message_panes.directive, &app.directive_pane}};
    for (const auto& [state, widgets] : panes) {
        widgets->icon.icon = state->title_icon;
        show_text(widgets->title, state->title);
        // Long sentences break at blanks to stay inside the pane.
        const lumo::P& body = widgets->text;
        const int width = body.width - body.padding.left - body.padding.right;
        show_text(widgets->text,
                  lumo::wrap_text(lumo::font_or_default(body.font), state->text, width));
    }
    app.directive_pane.pane.visible = app.message_panes.directive.visible != 0;
    ConfirmPaneWidgets& confirm = app.confirm_pane;
    confirm.option_row.visible = app.confirm.option_visible != 0;
    confirm.box.visible = confirm.pane.visible;
}

void sync_configuration_pane(Application& app)
{
    const ConfigurationPane& state = app.configuration;
    ConfigurationWidgets& widgets = app.configuration_pane_widgets;
    show_field_text(widgets.kernel_field, state.kernel_path);
    show_field_text(widgets.workspace_field, state.workspace_path);
    show_text(widgets.kernel_state, state.kernel_state);
    show_text(widgets.workspace_state, state.workspace_state);
    show_text(widgets.status_button, state.status);
}

void sync_navigator_pane(Application& app)
{
    const FileNavigator& navigator = app.navigator;
    NavigatorPaneWidgets& widgets = app.navigator_pane;
    show_text(widgets.title, navigator.title);
    show_text(widgets.hint, navigator.hint);
    // The hint reads on from the end of the title's first line.
    widgets.hint.margin.left = widgets.title.line_widths.empty() ? 0 : widgets.title.line_widths[0];
    show_text(widgets.ok_button, navigator.ok_label);
    show_text(widgets.location_label, navigator.location_text);
    show_text(widgets.path_label, navigator.path_text);
    widgets.pane.visible = app.modal[MODAL_NAVIGATOR] != 0;
}

void sync_export_pane(Application& app)
{
    const ExportPaneState& state = app.export_pane;
    ExportPaneWidgets& widgets = app.export_pane_widgets;
    show_text(widgets.estimate_label, state.size_text);
    // "!" still takes the press: the warning then says what is missing.
    show_text(widgets.export_button, state.button_label);
    // Escape closes the pane through its modal byte; the navigator for the
    // location and the confirmation hide it through the state.
    widgets.dialog.pane.visible =
        state.visible != 0 && app.modal[MODAL_EXPORT] != 0 && app.modal[MODAL_NAVIGATOR] == 0;
    const ViewSettings& settings = app.view_settings;
    for (std::size_t i = 0; i < settings.export_formats.size(); ++i) {
        widgets.format_toggles[i].selected = settings.export_formats[i] != 0;
        widgets.format_markers[i].selected = settings.export_formats[i] != 0;
    }
    for (std::size_t i = 0; i < settings.export_name_parts.size(); ++i)
        app.export_name_part_toggles[i].selected = settings.export_name_parts[i] != 0;
}

void sync_profile_pane(Application& app)
{
    app.profile_pane.dialog.pane.visible =
        app.ppd_view.visible != 0 && app.modal[MODAL_PROFILE] != 0;
    show_text(app.profile_pane.row_toggle, app.ppd_view.row_list_visible ? "<<" : ">>");
}

void sync_pane_widgets(Application& app)
{
    sync_message_panes(app);
    sync_configuration_pane(app);
    sync_navigator_pane(app);
    sync_export_pane(app);
    sync_profile_pane(app);
}
