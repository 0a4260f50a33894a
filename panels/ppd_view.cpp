#include "panels/ppd_view.h"

#include <algorithm>
#include <memory>

#include "state/application.h"
#include "export/ppd_report.h"
#include "lumo/font.h"
#include "panels/list_styles.h"
#include "panels/message_panes.h"
#include "platform/files.h"
#include "platform/kernel_config.h"
#include "platform/paths.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

constexpr std::uint32_t ROW_BORDER_COLOUR = 0xFF808080u;

bool mesh_has_ppd(const Mesh* mesh)
{
    return mesh != nullptr && !mesh->mesh_name.empty();
}

Entity* selected_entity(Application& app)
{
    EntityList* list = app.current_entity_list;
    if (list == nullptr || app.current_scene_state == nullptr) return nullptr;
    const std::int32_t index = app.current_scene_state->selected_index;
    if (index < 0 || index >= static_cast<std::int32_t>(list->entities.size())) return nullptr;
    return &list->entities[static_cast<std::size_t>(index)];
}

std::string row_label(const Entity* entity)
{
    return entity == nullptr ? "NULL" : path_file_name(entity->parse_report.script_path);
}

int row_font(const Entity& shown, std::size_t position)
{
    if (shown.kind == ENTITY_SINGLE) return lumo::kFontSmall;
    return position == 0 ? lumo::kFontSmallBold : lumo::kFontSmallItalic;
}

std::unique_ptr<lumo::P> make_row(const Application& app, const Entity& shown, const Entity* entity,
                                  std::size_t position)
{
    auto row = std::make_unique<lumo::P>();
    const LayoutMetrics& metrics = app.layout;
    row->x = 0;
    row->y = static_cast<int>(position) * metrics.strip_height;
    row->height = metrics.row_height;
    row->font = row_font(shown, position);
    row->set_label(row_label(entity));
    for (lumo::Border* border :
         {&row->border_left, &row->border_top, &row->border_right, &row->border_bottom})
        *border = {metrics.thin_border, nullptr, ROW_BORDER_COLOUR};
    row->padding = {metrics.gap, 0, metrics.gap, 0};
    row->align_x = lumo::kAlignStart;
    row->align_y = lumo::kAlignCentre;
    // The list rows' highlight marks the hovered and the shown row.
    if (app.lists.fill_styles != nullptr) {
        row->hover_style = &app.lists.fill_styles[STYLE_ROW_HIGHLIGHT];
        row->selected_style = &app.lists.fill_styles[STYLE_ROW_HIGHLIGHT];
    }
    row->text_colour_override = app.lists.text_colour;
    row->row_id = static_cast<int>(position);
    row->on_click = on_ppd_row_click;
    return row;
}

void clear_rows(PpdViewState& view)
{
    if (view.row_list != nullptr) view.row_list->children.clear();
    view.rows.clear();
    view.row_entities.clear();
}

void show_report_text(Application& app, const std::string& report)
{
    PpdViewState& view = app.ppd_view;
    view.text = report;
    if (view.report_text != nullptr) {
        view.report_text->set_label(report);
        view.report_text->width = view.report_text->label_width + 1 + 2 * app.layout.gap;
        view.report_text->height = view.report_text->label_height + 2 * app.layout.gap;
    }
    if (view.report_area != nullptr) {
        view.report_area->fraction_x = 0.0;
        view.report_area->fraction_y = 0.0;
    }
}

void build_rows(Application& app, Entity& shown)
{
    PpdViewState& view = app.ppd_view;
    view.row_entities.push_back(&shown);
    if (shown.kind != ENTITY_SINGLE) {
        const std::size_t members = static_cast<std::size_t>(std::max(shown.member_count, 0));
        for (std::size_t i = 0; i < members; ++i)
            view.row_entities.push_back(i < shown.members.size() ? shown.members[i] : nullptr);
    }
    int widest = 0;
    for (std::size_t position = 0; position < view.row_entities.size(); ++position) {
        view.rows.push_back(make_row(app, shown, view.row_entities[position], position));
        lumo::P& row = *view.rows.back();
        row.width = row.label_width + 2 * app.layout.gap;
        widest = std::max(widest, row.width);
        if (view.row_list != nullptr) view.row_list->add_child(&row);
    }
    const int count = static_cast<int>(view.rows.size());
    if (view.row_list != nullptr) {
        lumo::SP& list = *view.row_list;
        const int common = std::max(widest, list.width - list.bar_size);
        for (auto& row : view.rows)
            row->width = common;
        int content_height = count * app.layout.row_height;
        if (content_height > list.height - list.bar_size) content_height -= 1;
        list.content_width = common;
        list.content_height = content_height;
        list.fraction_x = 0.0;
        list.fraction_y = 0.0;
    }
    view.row_count = count;
    view.selected_row = 0;
    view.rows.front()->selected = true;
}

} // namespace

bool entity_has_ppd(const Entity& entity)
{
    if (entity.kind == ENTITY_SINGLE && entity.mesh != nullptr) return mesh_has_ppd(entity.mesh);
    if (entity.member_count < 1 ||
        static_cast<std::int32_t>(entity.members.size()) != entity.member_count)
        return false;
    return std::any_of(entity.members.begin(), entity.members.end(), [](const Entity* member) {
        return member != nullptr && mesh_has_ppd(member->mesh);
    });
}

std::string format_entity_ppd(const Entity& entity)
{
    if (entity.kind == ENTITY_SINGLE) return format_ppd_report(entity);
    if (entity.kind == ENTITY_GROUP) return format_ppd_report_parallel(entity);
    return "?";
}

void show_entity_ppd(Application& app)
{
    Entity* entity = selected_entity(app);
    if (entity == nullptr || !entity_has_ppd(*entity)) {
        show_info_pane(
            app, "Entity is Missing PPD",
            "The selected entity does not include embedded performance-profiling-data.\n\nIn "
            "order to use this control, re-assemble with profiling enabled.\n\nNote: you can "
            "enable (and disable) performance-profiling using the\nrun-script/assemble-mesh "
            "menu-dialog's title-right toggle-button.\n\nNote: you can quickly display the "
            "run/assemble menu-dialog using the shortcut:\n\t [SHIFT + R]");
        return;
    }
    const std::string report = format_entity_ppd(*entity);
    clear_rows(app.ppd_view);
    show_report_text(app, report);
    build_rows(app, *entity);
    PpdViewState& view = app.ppd_view;
    app.modal[MODAL_PROFILE] = app.modal[MODAL_PROFILE] != 0 ? 0 : 1;
    view.visible = app.modal[MODAL_PROFILE];
    set_modal_masks(app, is_any_modal_open(app));
    refresh_root(app);
}

void select_ppd_row(Application& app, std::int32_t row)
{
    PpdViewState& view = app.ppd_view;
    const auto count = static_cast<std::int32_t>(view.rows.size());
    if (row >= 0 && row < count && row != view.selected_row) {
        if (view.selected_row >= 0 && view.selected_row < count)
            view.rows[static_cast<std::size_t>(view.selected_row)]->selected = false;
        view.rows[static_cast<std::size_t>(row)]->selected = true;
        view.selected_row = row;
        const Entity* entity = view.row_entities[static_cast<std::size_t>(row)];
        if (entity != nullptr) show_report_text(app, format_entity_ppd(*entity));
    }
    // Any click on the list, the shown row's too, brings the report back to its start.
    if (view.report_area != nullptr) {
        view.report_area->fraction_x = 0.0;
        view.report_area->fraction_y = 0.0;
    }
    refresh_root(app);
}

bool on_ppd_row_click()
{
    if (g_app == nullptr || lumo::g_hovered_widget == nullptr) return false;
    select_ppd_row(*g_app, lumo::g_hovered_widget->row_id);
    return true;
}

void toggle_ppd_row_list(Application& app)
{
    PpdViewState& view = app.ppd_view;
    view.row_list_visible = view.row_list_visible != 0 ? 0 : 1;
    if (view.row_list != nullptr) view.row_list->visible = view.row_list_visible != 0;
    refresh_root(app);
}

std::string ppd_emission_text(const std::string& text)
{
    std::string out = text;
    std::replace(out.begin(), out.end(), '\t', '>');
    return out;
}

void copy_ppd_to_clipboard(Application& app)
{
    const ClipboardWriteService write = app.platform.clipboard_write;
    if (write != nullptr && write(ppd_emission_text(app.ppd_view.text))) {
        show_info_pane(app, "PPD Copied to Clipboard",
                       "PPD (performance-profiling-data) successfully copied to clipboard.\n\n"
                       "Note: use [CTRL|CMD + V] to paste into a text-editor/viewer.");
        return;
    }
    show_info_pane(app, "PPD Emission Failure",
                   "PPD (performance-profiling-data) error on copy.\n\nNote: an issue occurred "
                   "copying PPD text to the system clipboard.");
}

void write_ppd_text_file(Application& app)
{
    const std::string workspace = get_workspace_path();
    // Without a workspace the file would land in whatever directory is current.
    if (!workspace.empty() &&
        write_text_file(ppd_emission_text(app.ppd_view.text), workspace + "plim_ppd.txt")) {
        show_info_pane(app, "PPD Written to Text-File",
                       "PPD (performance-profiling-data) successfully written to text-file.\n\n"
                       "\t Path: " +
                           workspace + "\n\t Name: plim_ppd.txt");
        return;
    }
    show_info_pane(app, "PPD Emission Failure",
                   "PPD (performance-profiling-data) error on write.\n\nNote: check that the "
                   "temporary-working location (still) exists.\n\n\t Path: " +
                       workspace);
}
