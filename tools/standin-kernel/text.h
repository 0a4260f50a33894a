#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small text helpers of the stand-in kernel (it deliberately shares none with
// the inspector).

bool is_blank(char c);
std::string trim(std::string_view text);
std::string to_upper(std::string_view text);
std::vector<std::string> split_lines(const std::string& text);
std::string replace_all(std::string text, std::string_view from, std::string_view to);
// Reads a whole file; false when it cannot be opened.
bool read_file(const std::string& path, std::string& contents);
bool write_file(const std::string& path, const std::string& contents);
