#pragma once

// Directory listings for the in-app navigator, read with std::filesystem and
// written in the column layout the navigator's parser reads:
//   "dd/mm/yyyy  hh:mm   " (20 columns), then "<DIR>" or the byte size,
//   blanks, and the name.
// No child process and no shell are involved.

#include <string>

// The listing of `directory` ("/" separators): two lines for "." and ".."
// first, then one line per entry sorted by name bytes, each with the local
// modification time. Symbolic links are followed and broken ones left out;
// names beginning with "." and names holding a line break are left out. A
// missing or unreadable directory gives the empty text.
std::string produce_directory_listing(const std::string& directory);

// True for an existing regular file (links followed) with any execute bit.
bool is_executable_file(const std::string& path);
