#pragma once

// Texts of the about and help panes and the capture panes' hints (data).

#include <string>

extern const std::string g_about_title;
extern const std::string g_about_text;
extern const std::string g_help_title;
extern const std::string g_help_text;
extern const std::string g_snapshot_hint;
extern const std::string g_screenshot_hint;
