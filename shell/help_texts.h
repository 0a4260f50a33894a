#pragma once

// Texts of the about and help panes (data).

#include <string>

extern const std::string g_about_title;
extern const std::string g_about_text;
extern const std::string g_help_title;
extern const std::string g_help_text;
