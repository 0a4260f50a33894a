#include "panels/file_navigator.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "state/application.h"
#include "lumo/font.h"
#include "panels/configuration_panes.h"
#include "panels/dir_listing.h"
#include "panels/message_panes.h"
#include "platform/directory_listing.h"
#include "platform/kernel_config.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "shell/confirm_pane.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

enum Cell : std::size_t { CELL_TYPE = 0, CELL_NAME, CELL_SIZE, CELL_TIME, CELL_DATE };

constexpr std::uint32_t k_row_hover_colour = 0x1F7F7F7F;

struct ExecutableContext {
    const std::string* directory;
    ExecutableFileTest test;
};

bool executable_in_directory(const std::string& name, const void* context)
{
    const auto* where = static_cast<const ExecutableContext*>(context);
    return where->test != nullptr && where->test(*where->directory + name);
}

std::size_t at(std::int32_t index)
{
    return static_cast<std::size_t>(index);
}

bool is_directory_entry(const FileNavigator& navigator, std::int32_t entry)
{
    return navigator.entries[at(entry)].type == ENTRY_DIRECTORY;
}

// ---- Selection and cursor --------------------------------------------------

// The cells are marked with their row, so that on its highlight they take
// the colours that read there.
void mark_row(NavigatorRows& widgets, std::int32_t row, bool selected)
{
    widgets.rows[at(row)]->selected = selected;
    for (auto& cells : widgets.cells)
        cells[at(row)]->selected = selected;
}

void set_row_selected(Application& app, std::int32_t row, bool selected)
{
    FileNavigator& navigator = app.navigator;
    navigator.selected[at(navigator.display_order[at(row)])] = selected ? 1 : 0;
    if (at(row) < app.navigator_rows.rows.size()) mark_row(app.navigator_rows, row, selected);
}

std::int32_t first_selected_row(const FileNavigator& navigator)
{
    for (std::int32_t row = 0; row < navigator.entry_count(); ++row)
        if (navigator.selected[at(navigator.display_order[at(row)])] != 0) return row;
    return -1;
}

// Leaves only `cursor` selected.
void select_only(Application& app, std::int32_t cursor)
{
    for (std::int32_t row = 0; row < app.navigator.entry_count(); ++row)
        set_row_selected(app, row, row == cursor);
    app.navigator.selection_count = 1;
}

void scroll_row_into_view(Application& app, std::int32_t row)
{
    FileNavigator& navigator = app.navigator;
    const double view = navigator.list_viewport;
    const double height = navigator.list_height;
    const double row_height = app.layout.row_height;
    if (height <= view) return;
    const double offset = static_cast<std::int32_t>((height - view) * navigator.list_scroll);
    const double top = row_height * row;
    if (offset <= top && top + row_height <= view + offset) return;
    const double step = (row_height * 0.5 + top - (view + 2.0 * offset) * 0.5) / (height - view);
    navigator.list_scroll = std::clamp(navigator.list_scroll + step, 0.0, 1.0);
}

// `steps` cursor steps of one row each (up when `delta` is -1, down when +1).
// The first step with no selection picks row 0, with several it keeps only
// the first; each step scrolls its row into view. Linear in the step count.
void move_cursor(Application& app, std::int32_t delta, std::int32_t steps)
{
    FileNavigator& navigator = app.navigator;
    const std::int32_t count = navigator.entry_count();
    if (count == 0 || steps < 1) return;
    std::int32_t cursor = navigator.selection_count == 0 ? 0 : first_selected_row(navigator);
    if (cursor < 0) return;
    if (navigator.selection_count != 1) {
        select_only(app, cursor);
        scroll_row_into_view(app, cursor);
        --steps;
    }
    for (; steps > 0; --steps) {
        const std::int32_t next = std::clamp(cursor + delta, 0, count - 1);
        if (next != cursor) {
            set_row_selected(app, cursor, false);
            set_row_selected(app, next, true);
            cursor = next;
        }
        scroll_row_into_view(app, cursor);
    }
}

std::int32_t page_rows(const Application& app)
{
    return app.layout.row_height > 0 ? app.navigator.list_viewport / app.layout.row_height : 0;
}

// ---- Sorting ---------------------------------------------------------------

bool entry_before(const NavigatorEntry& a, const NavigatorEntry& b, std::int32_t key)
{
    switch (key) {
    case NAVIGATOR_SORT_TYPE:
        return a.type != b.type
                   ? static_cast<unsigned char>(a.type) < static_cast<unsigned char>(b.type)
                   : a.sort_name < b.sort_name;
    case NAVIGATOR_SORT_SIZE:
        return a.size < b.size;
    case NAVIGATOR_SORT_DATE:
        return a.date != b.date ? a.date < b.date : a.time < b.time;
    default:
        return a.sort_name < b.sort_name;
    }
}

void sort_display_order(FileNavigator& navigator)
{
    const std::vector<NavigatorEntry>& entries = navigator.entries;
    const std::int32_t key = navigator.sort_key;
    const bool ascending = navigator.sort_ascending != 0;
    std::stable_sort(navigator.display_order.begin(), navigator.display_order.end(),
                     [&](std::int32_t a, std::int32_t b) {
                         return ascending ? entry_before(entries[at(a)], entries[at(b)], key)
                                          : entry_before(entries[at(b)], entries[at(a)], key);
                     });
}

// ---- Rows and path buttons -------------------------------------------------

const char* type_text(char type)
{
    switch (type) {
    case ENTRY_DIRECTORY:
        return "DIR";
    case ENTRY_EXECUTABLE:
        return "EXE";
    case ENTRY_SCRIPT:
        return "SRC";
    case ENTRY_OTHER:
        return "-";
    default:
        return " ";
    }
}

void write_row_cells(Application& app, std::int32_t row)
{
    NavigatorRows& widgets = app.navigator_rows;
    const NavigatorEntry& entry = app.navigator.entries[at(app.navigator.display_order[at(row)])];
    // Cells point at the theme's records, on the panel and on the highlight,
    // so a theme change reaches rows already built: executables stand out,
    // files of no use stay faint.
    const auto meaning = [&entry](const MeaningColours& colours, std::size_t cell) {
        const bool faint = entry.type == ENTRY_OTHER || entry.type == ' ';
        if (faint) return colours.faint.data();
        const bool named = cell == CELL_TYPE || cell == CELL_NAME;
        return named && entry.type == ENTRY_EXECUTABLE ? colours.executable.data()
                                                       : colours.normal.data();
    };
    std::array<lumo::P*, 5> cells{};
    for (std::size_t c = 0; c < cells.size(); ++c) {
        cells[c] = widgets.cells[c][at(row)].get();
        cells[c]->text_colour_override = meaning(app.meaning_colours, c);
        cells[c]->highlight_colour_override = meaning(app.meaning_colours_on_highlight, c);
    }
    const std::int32_t padding = app.layout.gap + app.layout.gap / 2;
    cells[CELL_TYPE]->font = lumo::kFontSmallBold;
    cells[CELL_TYPE]->set_label(type_text(entry.type));
    lumo::P& name = *cells[CELL_NAME];
    name.align_x = lumo::kAlignStart;
    name.padding.left = name.padding.right = padding;
    const bool strong = entry.type == ENTRY_DIRECTORY || entry.type == ENTRY_EXECUTABLE;
    name.font = strong ? lumo::kFontBold : lumo::kFontRegular;
    name.set_label(entry.name);
    lumo::P& size = *cells[CELL_SIZE];
    size.align_x = lumo::kAlignEnd;
    size.padding.left = size.padding.right = padding;
    size.set_label(entry.type == ENTRY_DIRECTORY ? std::string() : entry.size_text);
    cells[CELL_TIME]->set_label(entry.time);
    cells[CELL_DATE]->set_label(entry.date);
    mark_row(widgets, row, app.navigator.selected[at(app.navigator.display_order[at(row)])] != 0);
}

// The index of the hovered widget among `widgets`, its hover cleared; -1
// when the pointer rests on none of them.
template <typename Widget>
std::int32_t take_hover(const std::vector<std::unique_ptr<Widget>>& widgets)
{
    if (lumo::g_hovered_widget == nullptr) return -1;
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i].get() != lumo::g_hovered_widget) continue;
        widgets[i]->hovered = false;
        lumo::g_hovered_widget = nullptr;
        return static_cast<std::int32_t>(i);
    }
    return -1;
}

template <typename Widget>
void restore_hover(const std::vector<std::unique_ptr<Widget>>& widgets, std::int32_t index)
{
    if (index < 0 || at(index) >= widgets.size()) return;
    widgets[at(index)]->hovered = true;
    lumo::g_hovered_widget = widgets[at(index)].get();
}

void rebuild_path_buttons(Application& app)
{
    NavigatorRows& widgets = app.navigator_rows;
    const LayoutMetrics& metrics = app.layout;
    const std::int32_t m = metrics.gap;
    const std::int32_t hovered = take_hover(widgets.path_buttons);
    widgets.path_strip.children.clear();
    widgets.path_buttons.clear();
    std::int32_t x = m;
    const auto& components = app.navigator.path_components;
    for (std::size_t k = 0; k < components.size(); ++k) {
        auto button = std::make_unique<lumo::P>();
        button->row_id = static_cast<int>(k);
        button->text_colour_override = app.meaning_colours.normal.data();
        button->highlight_colour_override = app.meaning_colours_on_highlight.normal.data();
        button->fill = true;
        button->fill_style = widgets.path_button_fill;
        button->hover_style = widgets.path_button_hover;
        if (button->hover_style == nullptr) button->hover_colour = k_row_hover_colour;
        for (lumo::Border* border : {&button->border_left, &button->border_top,
                                     &button->border_right, &button->border_bottom})
            *border = {metrics.thin_border, widgets.path_button_border, 0};
        button->set_label(components[k]);
        button->on_click = navigator_path_button_clicked;
        const std::int32_t text_width = button->label_width;
        button->x = x;
        button->y = m;
        button->width = text_width + 2 * (m + 1);
        button->height = metrics.row_height;
        x += text_width + 3 * m + 2;
        widgets.path_strip.add_child(button.get());
        widgets.path_buttons.push_back(std::move(button));
    }
    app.navigator.path_width = x - 1;
    widgets.path_strip.x = 0;
    widgets.path_strip.y = 0;
    widgets.path_strip.width = app.navigator.path_width;
    widgets.path_strip.height = metrics.row_height + 2 * m;
    restore_hover(widgets.path_buttons, hovered);
}

void rebuild_rows(Application& app)
{
    NavigatorRows& widgets = app.navigator_rows;
    const std::int32_t hovered = take_hover(widgets.rows);
    widgets.list.children.clear();
    for (auto& column : widgets.cells)
        column.clear();
    widgets.rows.clear();
    const std::int32_t count = app.navigator.entry_count();
    widgets.rows.reserve(at(count));
    for (auto& column : widgets.cells)
        column.reserve(at(count));
    for (std::int32_t r = 0; r < count; ++r) {
        auto row = std::make_unique<lumo::KL>();
        row->row_id = r;
        row->hover_colour = k_row_hover_colour;
        row->fill_style = widgets.row_fill;
        row->selected_style = widgets.row_fill;
        row->on_click = navigator_row_clicked;
        for (auto& column : widgets.cells) {
            column.push_back(std::make_unique<lumo::P>());
            column.back()->row_id = r;
            row->add_child(column.back().get());
        }
        widgets.list.add_child(row.get());
        widgets.rows.push_back(std::move(row));
        write_row_cells(app, r);
    }
    widgets.list.content_width = widgets.list.width;
    widgets.list.content_height = app.navigator.list_height;
    restore_hover(widgets.rows, hovered);
}

void write_location_texts(FileNavigator& navigator)
{
    const std::string last =
        navigator.path_components.empty() ? "?" : navigator.path_components.back();
    navigator.location_text = "Location \t " + last;
    navigator.path_text = "\n" + navigator.directory;
}

std::string joined_components(const FileNavigator& navigator, std::size_t count)
{
    std::string directory;
    for (std::size_t k = 0; k < count && k < navigator.path_components.size(); ++k)
        directory += navigator.path_components[k];
    return directory;
}

// ---- OK action by mode -----------------------------------------------------

void confirm_open_scripts(Application& app)
{
    if (app.navigator.selection_count < 1) {
        show_warning_pane(app, "Warning: Nothing to Open",
                          "Select one or more brisk-form script files to open.");
        return;
    }
    show_file_navigator(app, false);
    app.deferred_countdown = DEFERRED_FRAMES;
    app.deferred[DEFERRED_OPEN_SELECTED_SCRIPTS] = 1;
    show_opening_pane(app);
}

bool ends_in_slash(const std::string& text)
{
    return !text.empty() && text.back() == '/';
}

void confirm_workspace(Application& app)
{
    if (app.navigator.selection_count == 0 && ends_in_slash(app.navigator.directory)) {
        apply_workspace_path(app, app.navigator.directory);
        // Closes the navigator and brings back what it was opened from.
        close_modal_state(app);
        return;
    }
    show_warning_pane(app, "Warning: Invalid Entity Workspace",
                      "Navigate to a valid entity workspace directory.\n\nNote: there should be "
                      "no files selected.");
}

void confirm_export_location(Application& app)
{
    if (app.navigator.selection_count != 0) {
        show_warning_pane(app, "Warning: Invalid Export Location",
                          "Navigate to a valid export location directory.\n\nNote: there should "
                          "be no files selected.");
    } else if (ends_in_slash(app.navigator.directory)) {
        set_export_location(app, app.navigator.directory);
        close_modal_state(app);
    } else {
        show_warning_pane(app, "Warning: Invalid Export Location",
                          "Navigate to a valid entity export location.\n\nNote: there should be "
                          "no files selected.");
    }
}

void confirm_kernel(Application& app)
{
    const FileNavigator& navigator = app.navigator;
    if (navigator.selection_count == 1) {
        const auto first = std::find(navigator.selected.begin(), navigator.selected.end(), 1);
        const std::string path =
            navigator.directory +
            navigator.entries[at(static_cast<std::int32_t>(first - navigator.selected.begin()))]
                .name;
        const std::string name = path_file_name(path);
        if (name == "plim" || name == "plimp" || name == "plim.exe" || name == "plimp.exe") {
            apply_kernel_path(app, path);
            close_modal_state(app);
            return;
        }
    }
    show_warning_pane(app, "Warning: Invalid Kernel Executable",
                      "Select exactly one executable file named 'plim'.\n\nNote: version of the "
                      "'plim' executable should be V:0.2.4+.");
}

Application* application()
{
    return g_app;
}

} // namespace

void list_directory(Application& app, const std::string& directory)
{
    FileNavigator& navigator = app.navigator;
    const ExecutableContext context{&directory, navigator.executable_test};
    const std::string listing =
        navigator.listing_producer != nullptr ? navigator.listing_producer(directory) : "";
    fill_navigator_entries(navigator,
                           parse_dir_listing(listing, executable_in_directory, &context));
    navigator.directory = directory;
    navigator.path_components = split_path_components(directory);
    navigator.list_scroll = 0.0;
    navigator.path_scroll = 1.0;
    navigator.list_height = app.layout.row_height * navigator.entry_count();
    sort_display_order(navigator);
    rebuild_path_buttons(app);
    rebuild_rows(app);
    write_location_texts(navigator);
}

std::string navigator_start_directory(const Application& app)
{
    const std::int32_t mode = app.navigator.mode;
    // A kernel named without a directory lies in the current directory.
    const std::string kernel_directory = path_directory(get_kernel_path());
    if (mode == NAVIGATOR_KERNEL && !kernel_directory.empty()) return kernel_directory;
    if (mode != NAVIGATOR_KERNEL && !get_workspace_path().empty()) return get_workspace_path();
    if (mode == NAVIGATOR_OPEN_SCRIPTS || mode == NAVIGATOR_EXPORT_LOCATION)
        return get_workspace_path();
    return trim_text(current_directory()) + "/";
}

void navigator_go_home(Application& app)
{
    list_directory(app, navigator_start_directory(app));
}

void navigator_go_parent(Application& app)
{
    const std::size_t count = app.navigator.path_components.size();
    if (count >= 2) list_directory(app, joined_components(app.navigator, count - 1));
}

void navigator_go_to_component(Application& app, std::int32_t component)
{
    if (component < 0 || at(component) >= app.navigator.path_components.size()) return;
    list_directory(app, joined_components(app.navigator, at(component) + 1));
}

void navigator_open_single_directory(Application& app)
{
    const FileNavigator& navigator = app.navigator;
    if (navigator.entry_count() == 0 || navigator.selection_count != 1) return;
    const auto first = std::find(navigator.selected.begin(), navigator.selected.end(), 1);
    if (first == navigator.selected.end()) return;
    const NavigatorEntry& entry =
        navigator.entries[at(static_cast<std::int32_t>(first - navigator.selected.begin()))];
    if (entry.type == ENTRY_DIRECTORY) list_directory(app, navigator.directory + entry.name);
}

void navigator_open_entry(Application& app, std::int32_t row)
{
    FileNavigator& navigator = app.navigator;
    if (row < 0 || row >= navigator.entry_count()) return;
    const std::int32_t entry = navigator.display_order[at(row)];
    const NavigatorEntry& listed = navigator.entries[at(entry)];
    if (listed.type == ENTRY_DIRECTORY && listed.attributes.size() > 1 &&
        listed.attributes[1] == 'r') {
        list_directory(app, navigator.directory + listed.name);
        return;
    }
    const bool now_selected = navigator.selected[at(entry)] == 0;
    set_row_selected(app, row, now_selected);
    navigator.selection_count += now_selected ? 1 : -1;
}

void navigator_select_all_files(Application& app)
{
    FileNavigator& navigator = app.navigator;
    if (navigator.mode != NAVIGATOR_OPEN_SCRIPTS) return;
    for (std::int32_t row = 0; row < navigator.entry_count(); ++row) {
        const std::int32_t entry = navigator.display_order[at(row)];
        if (!is_directory_entry(navigator, entry) && navigator.selected[at(entry)] == 0)
            navigator_open_entry(app, row);
    }
}

void navigator_select_none(Application& app)
{
    for (std::int32_t row = 0; row < app.navigator.entry_count(); ++row)
        set_row_selected(app, row, false);
    app.navigator.selection_count = 0;
}

void navigator_cursor_up(Application& app)
{
    move_cursor(app, -1, 1);
}

void navigator_cursor_down(Application& app)
{
    move_cursor(app, 1, 1);
}

void navigator_page_up(Application& app)
{
    move_cursor(app, -1, page_rows(app));
}

void navigator_page_down(Application& app)
{
    move_cursor(app, 1, page_rows(app));
}

void navigator_cursor_first(Application& app)
{
    move_cursor(app, -1, app.navigator.entry_count() + 1);
}

void navigator_cursor_last(Application& app)
{
    move_cursor(app, 1, app.navigator.entry_count() + 1);
}

void sort_navigator_entries(Application& app, std::int32_t key)
{
    static const char* const traces[] = {"SORTING-FILES-BY:TYPE", "SORTING-FILES-BY:NAME",
                                         "SORTING-FILES-BY:SIZE", "SORTING-FILES-BY:DATE"};
    if (key < NAVIGATOR_SORT_TYPE || key > NAVIGATOR_SORT_DATE) return;
    FileNavigator& navigator = app.navigator;
    if (key == navigator.sort_key)
        navigator.sort_ascending = navigator.sort_ascending != 0 ? 0 : 1;
    else
        navigator.sort_key = key;
    trace_line(traces[key]);
    sort_display_order(navigator);
    for (std::int32_t row = 0; row < navigator.entry_count(); ++row)
        write_row_cells(app, row);
    refresh_root(app);
}

void confirm_navigator_selection(Application& app)
{
    FileNavigator& navigator = app.navigator;
    if (navigator.selection_count == 1) {
        const std::int32_t row = first_selected_row(navigator);
        if (row >= 0 && is_directory_entry(navigator, navigator.display_order[at(row)])) {
            const std::string& attributes =
                navigator.entries[at(navigator.display_order[at(row)])].attributes;
            if (attributes.size() > 1 && attributes[1] == 'r') {
                navigator_open_entry(app, row);
                refresh_root(app);
            }
            return;
        }
    }
    switch (navigator.mode) {
    case NAVIGATOR_OPEN_SCRIPTS:
        confirm_open_scripts(app);
        break;
    case NAVIGATOR_WORKSPACE:
        confirm_workspace(app);
        break;
    case NAVIGATOR_EXPORT_LOCATION:
        confirm_export_location(app);
        break;
    case NAVIGATOR_KERNEL:
        confirm_kernel(app);
        break;
    default:
        break;
    }
}

void show_file_navigator(Application& app, bool open)
{
    set_navigator_visible(app, open);
}

void open_native_folder_dialog(Application& app)
{
    if (app.platform.save_dialog != nullptr) {
        const std::string start = app.view_settings.export_location;
        const std::vector<std::string> answer = split_text(app.platform.save_dialog(start), '\n');
        // The save dialog names a file in the chosen directory (its
        // suggestion is "_"); a chosen directory is taken as it is. An empty
        // answer is a cancelled choice and keeps the location.
        if (!answer.empty() && !answer.front().empty()) {
            const std::string& chosen = answer.front();
            std::error_code error;
            const bool folder = std::filesystem::is_directory(chosen, error);
            set_export_location(app, folder ? chosen : path_directory(chosen));
        }
    }
    set_opening_busy_style(app, false);
    hide_opening_pane(app);
}

std::string navigator_current_directory(const Application& app)
{
    // Before it has listed anything the navigator stands where scripts are
    // staged, as when it first opens for scripts.
    return app.navigator.directory.empty() ? get_workspace_path() : app.navigator.directory;
}

bool navigator_row_clicked()
{
    Application* app = application();
    if (app == nullptr || lumo::g_hovered_widget == nullptr) return false;
    const int row = lumo::g_hovered_widget->row_id;
    if (row < 0 || row >= app->navigator.entry_count()) return false;
    navigator_open_entry(*app, row);
    refresh_root(*app);
    return true;
}

bool navigator_path_button_clicked()
{
    Application* app = application();
    if (app == nullptr || lumo::g_hovered_widget == nullptr) return false;
    const int component = lumo::g_hovered_widget->row_id;
    if (component < 0 || at(component) >= app->navigator.path_components.size()) return false;
    navigator_go_to_component(*app, component);
    refresh_root(*app);
    return true;
}

void navigator_select_none_clicked()
{
    if (Application* app = application()) {
        navigator_select_none(*app);
        refresh_root(*app);
    }
}

void navigator_select_all_clicked()
{
    if (Application* app = application()) {
        navigator_select_all_files(*app);
        refresh_root(*app);
    }
}

bool navigator_scroll_track_moved(int, int y, int)
{
    Application* app = application();
    if (app == nullptr) return false;
    const double row_height = app->layout.row_height;
    const double span = app->navigator.list_viewport - row_height;
    const double fraction = span > 0.0 ? std::clamp((y - row_height * 0.5) / span, 0.0, 1.0) : 0.0;
    if (fraction == app->navigator.list_scroll) return false;
    app->navigator.list_scroll = fraction;
    refresh_root(*app);
    return true;
}

void lay_out_navigator_path_bar(int width, int)
{
    Application* app = application();
    if (app == nullptr) return;
    lumo::KL& strip = app->navigator_rows.path_strip;
    strip.x = lumo::scroll_offset(width, app->navigator.path_width, app->navigator.path_scroll);
}
