#include "panels/dir_listing.h"

#include <array>
#include <limits>

#include "platform/text.h"

namespace {

constexpr std::size_t REST_COLUMN = 20;

std::string cut(const std::string& text, std::size_t start, std::size_t length)
{
    return start < text.size() ? text.substr(start, length) : std::string();
}

bool ends_with(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string without_commas(std::string text)
{
    std::erase(text, ',');
    return text;
}

struct ListingColumns {
    bool directory = false;
    std::string size;
    std::string name;
};

// The rest of an entry line: "<DIR>" or the size, blanks, the name with its
// own blanks kept (a name split and re-joined would name another file).
ListingColumns read_rest(const std::string& rest_text)
{
    const std::string rest = trim_text(rest_text);
    ListingColumns columns;
    const std::size_t size_end = rest.find(' ');
    const std::string first = rest.substr(0, size_end);
    columns.directory = first == "<DIR>";
    columns.size = columns.directory || first.empty() ? "0" : without_commas(first);
    if (size_end != std::string::npos) columns.name = trim_text(rest.substr(size_end + 1));
    return columns;
}

std::string permission_groups(bool executable)
{
    const std::string group = executable ? "rwx" : "rw-";
    return group + group + group;
}

std::string entry_line(const std::string& piece, ExecutableNameTest test, const void* context)
{
    const ListingColumns columns = read_rest(piece.substr(REST_COLUMN));
    const bool executable = (columns.name.size() > 4 && ends_with(columns.name, ".exe")) ||
                            (!columns.directory && test != nullptr && test(columns.name, context));
    const std::string date = cut(piece, 6, 4) + "-" + cut(piece, 3, 2) + "-" + cut(piece, 0, 2);
    return std::string(columns.directory ? "d" : "-") + permission_groups(executable) + " 0 K K " +
           columns.size + " " + date + " " + cut(piece, 12, 5) + " " + columns.name + "\n";
}

char entry_type(const NavigatorEntry& entry)
{
    if (entry.attributes.front() == 'd') return ENTRY_DIRECTORY;
    if (is_script_file_name(entry.name)) return ENTRY_SCRIPT;
    return entry.attributes.size() > 3 && entry.attributes[3] == 'x' ? ENTRY_EXECUTABLE
                                                                     : ENTRY_OTHER;
}

bool is_kernel_name(const std::string& name)
{
    static const std::array<std::string, 4> names{"plim", "plimp", "plim.exe", "plimp.exe"};
    const std::string lower = to_lower_text(name);
    for (const std::string& kernel : names)
        if (lower == kernel) return true;
    return false;
}

} // namespace

std::string parse_dir_listing(const std::string& listing, ExecutableNameTest executable,
                              const void* context)
{
    std::string parsed;
    int entry_lines = 0;
    for (const std::string& piece : split_text_skip_empty(listing, '\n')) {
        if (piece.size() <= REST_COLUMN || piece.front() == ' ') continue;
        if (++entry_lines <= 2) continue;
        parsed += entry_line(piece, executable, context);
    }
    return parsed;
}

bool entry_from_listing_line(const std::string& line, NavigatorEntry& entry)
{
    const TextList fields = split_text_skip_empty(line, ' ');
    if (fields.size() < 8) return false;
    const std::size_t time_at = line.find(fields[6]);
    const std::size_t name_at = time_at + fields[6].size() + 1;
    if (time_at == std::string::npos || name_at >= line.size()) return false;
    entry.attributes = fields[0];
    entry.owner = fields[2];
    entry.group = fields[3];
    entry.size = parse_size_text(fields[4]);
    entry.size_text = size_text_in_bytes(entry.size);
    entry.date = fields[5];
    entry.time = fields[6];
    entry.name = line.substr(name_at);
    entry.type = entry_type(entry);
    if (entry.type == ENTRY_DIRECTORY) entry.name += "/";
    entry.sort_name = to_lower_text(entry.name);
    return true;
}

bool navigator_mode_keeps(std::int32_t mode, const NavigatorEntry& entry)
{
    if (entry.type == ENTRY_DIRECTORY)
        return mode >= NAVIGATOR_KERNEL && mode <= NAVIGATOR_EXPORT_LOCATION;
    switch (mode) {
    case NAVIGATOR_KERNEL:
        return entry.type == ENTRY_EXECUTABLE && is_kernel_name(entry.name);
    case NAVIGATOR_OPEN_SCRIPTS:
        return entry.type == ENTRY_SCRIPT;
    case NAVIGATOR_WORKSPACE:
    case NAVIGATOR_EXPORT_LOCATION:
        return true;
    default:
        return false;
    }
}

bool is_script_file_name(const std::string& name)
{
    return name.size() > 5 && ends_with(to_lower_text(name), ".plim");
}

std::int64_t parse_size_text(const std::string& text)
{
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    if (text.empty()) return 0;
    std::int64_t value = 0;
    for (char byte : text) {
        if (byte < '0' || byte > '9') return 0;
        const int digit = byte - '0';
        if (value > (max - digit) / 10) return 0;
        value = value * 10 + digit;
    }
    return value;
}

std::string size_text_in_bytes(std::int64_t size)
{
    std::string digits = std::to_string(size < 0 ? 0 : size);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits + " bytes";
}

std::vector<std::string> split_path_components(const std::string& directory)
{
    std::vector<std::string> components;
    for (const std::string& piece : split_text(directory, '/'))
        components.push_back(piece + "/");
    return components;
}

void fill_navigator_entries(FileNavigator& navigator, const std::string& parsed_listing)
{
    navigator.entries.clear();
    for (const std::string& line : split_text_skip_empty(parsed_listing, '\n')) {
        NavigatorEntry entry;
        if (entry_from_listing_line(line, entry) && navigator_mode_keeps(navigator.mode, entry))
            navigator.entries.push_back(std::move(entry));
    }
    const std::size_t count = navigator.entries.size();
    navigator.selected.assign(count, 0);
    navigator.selection_count = 0;
    navigator.display_order.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        navigator.display_order[i] = static_cast<std::int32_t>(i);
}
