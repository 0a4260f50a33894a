#pragma once

// The models of the error, warning, information and directive panes: what
// each shows and whether it is open. The application object has no fields
// for them, so they live here beside it; the interface draws them.

#include <cstdint>
#include <string>

struct Application;

struct MessagePane {
    std::string title;
    std::string text;
    std::uint8_t visible = 0;
    std::int32_t title_icon = -1;
};

struct MessagePanes {
    MessagePane error;
    MessagePane warning;
    MessagePane info;
    MessagePane directive;
};

extern MessagePanes g_message_panes;

// Each opens its pane as a modal state with the interface dimmed; a later
// pane of the same kind replaces an earlier one.
void show_error_pane(Application& app, const std::string& title, const std::string& text);
void show_warning_pane(Application& app, const std::string& title, const std::string& text);
void show_info_pane(Application& app, const std::string& title, const std::string& text);
// Opens the directive pane when closed and closes it when open.
void toggle_directive_pane(Application& app, const std::string& title, const std::string& text,
                           std::int32_t title_icon);
