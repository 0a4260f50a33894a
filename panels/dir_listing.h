#pragma once

// The directory listing text and the navigator entries built from it. A
// listing holds a date column, a time column, "<DIR>" or the size from
// column 20 on, and the name; the parser turns each entry into one uniform
// line, and the entries the navigator's mode can use are kept.

#include <cstdint>
#include <string>
#include <vector>

#include "state/pane_state.h"

// Extra executable test on an entry's name (beside the ".exe" ending);
// null keeps the ".exe" rule alone.
using ExecutableNameTest = bool (*)(const std::string& name, const void* context);

// One "kind rwx rwx rwx 0 K K size yyyy-mm-dd hh:mm name\n" line per entry
// of the raw listing; the first two entry lines ("." and "..") are dropped.
// Lines of 20 characters or fewer, and lines starting with a blank, are not
// entries. Sizes lose their "," separators. The name keeps its own blanks.
std::string parse_dir_listing(const std::string& listing, ExecutableNameTest executable = nullptr,
                              const void* context = nullptr);

// The entry of one parsed line; false for a line with too few fields.
bool entry_from_listing_line(const std::string& line, NavigatorEntry& entry);

// Whether the navigator in `mode` lists the entry: directories always (the
// export and workspace modes list every entry), kernel executables in the
// kernel mode, scripts in the open-scripts mode.
bool navigator_mode_keeps(std::int32_t mode, const NavigatorEntry& entry);

// A file name (or path) ending in ".plim" in any case, with at least one
// byte before it: the test of the open commands and the navigator alike.
bool is_script_file_name(const std::string& name);

// The decimal digits of a size text read into 64 bits; 0 for anything
// that is not a plain decimal number or does not fit.
std::int64_t parse_size_text(const std::string& text);
// "1,234,567 bytes".
std::string size_text_in_bytes(std::int64_t size);

// The directory cut at "/", each piece with "/" appended; a leading "/"
// gives the piece "/", a trailing one no empty last piece.
std::vector<std::string> split_path_components(const std::string& directory);

// Replaces the navigator's entries with the kept entries of the parsed
// listing, clears the selection and resets the display order to 0, 1, 2...
void fill_navigator_entries(FileNavigator& navigator, const std::string& parsed_listing);
