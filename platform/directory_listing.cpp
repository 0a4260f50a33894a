#include "platform/directory_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ListedEntry {
    std::string name;
    bool directory = false;
    std::int64_t size = 0;
    std::time_t modified = 0;
};

// The 20 columns in front of the size: day, month, year, two blanks, the
// time, three blanks.
std::string time_columns(std::time_t modified)
{
    std::tm local{};
    localtime_r(&modified, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d  %02d:%02d   ", local.tm_mday % 100,
                  (local.tm_mon + 1) % 100, (local.tm_year + 1900) % 10000, local.tm_hour % 100,
                  local.tm_min % 100);
    return text;
}

std::string listing_line(const ListedEntry& entry)
{
    std::string size = entry.directory ? "<DIR>" : std::to_string(entry.size);
    if (size.size() < 14) size.append(14 - size.size(), ' ');
    return time_columns(entry.modified) + size + " " + entry.name + "\n";
}

bool listable_name(const std::string& name)
{
    return !name.empty() && name.front() != '.' && name.find_first_of("\n\r") == std::string::npos;
}

// Follows symbolic links; false for a broken link or a vanished entry.
bool read_entry(const fs::path& path, ListedEntry& entry)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    entry.directory = S_ISDIR(status.st_mode);
    entry.size = entry.directory ? 0 : static_cast<std::int64_t>(status.st_size);
    entry.modified = status.st_mtime;
    return true;
}

std::vector<ListedEntry> read_entries(const fs::path& directory, std::error_code& error)
{
    std::vector<ListedEntry> entries;
    fs::directory_iterator it(directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        ListedEntry entry;
        entry.name = it->path().filename().string();
        if (listable_name(entry.name) && read_entry(it->path(), entry)) entries.push_back(entry);
    }
    return entries;
}

} // namespace

std::string produce_directory_listing(const std::string& directory)
{
    const fs::path path(directory.empty() ? "." : directory);
    ListedEntry here;
    if (!read_entry(path, here) || !here.directory) return std::string();
    std::error_code error;
    std::vector<ListedEntry> entries = read_entries(path, error);
    if (error) return std::string();
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });

    ListedEntry parent;
    if (!read_entry(path / "..", parent)) parent = here;
    here.name = ".";
    parent.name = "..";
    parent.directory = true;
    std::string listing = listing_line(here) + listing_line(parent);
    for (const ListedEntry& entry : entries)
        listing += listing_line(entry);
    return listing;
}

bool is_executable_file(const std::string& path)
{
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}
