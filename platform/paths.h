#pragma once

// Path texts cut at '/' or '\'. Nothing else (drive letters, ".", "..") is
// interpreted. A separator that ends the path does not count as a cut.

#include <string>

// The part after the last separator; the whole path when there is none.
std::string path_file_name(const std::string& path);
// The part up to and including the last separator; empty when there is
// none, except that a path ending in its only separator is kept whole.
std::string path_directory(const std::string& path);
