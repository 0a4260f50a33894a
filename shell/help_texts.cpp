// Texts of the about and help panes and the capture panes' hints (data).

#include "shell/help_texts.h"

const std::string g_about_title = "About";
const std::string g_about_text =
    "PLIM:EI - an inspector for procedural meshes.\n\n"
    "It stages brisk-form scripts (.plim) in the workspace, runs the\n"
    "kernel to parse and assemble them, and shows, measures, inspects,\n"
    "re-parameterises and exports the meshes.\n\n"
    "Nothing is saved between runs; staged files stay in \"tmp/\".";

const std::string g_help_title = "Help";
const std::string g_help_text = "Tool bar: open, parse and assemble scripts; the tool menus;\n"
                                "capture, export and the settings bar.\n"
                                "Tip bar: the side-panel tabs and the open tool menu, or else the\n"
                                "script list, whose click opens the menu tree.\n"
                                "Side panel: console trace, entity inspector, parameter control.\n"
                                "Status bar: the status line, parallel flags and the inspector.\n"
                                "Tab bar: environments, about and help.\n\n"
                                "Keys: Ctrl+O open, SPACE hide the bars, i flip the bars,\n"
                                "k frame the view, ESCAPE close a pane, ENTER accept it.";

// As the help says, Enter accepts a pane: on a capture pane it saves.
const std::string g_snapshot_hint = "ENTER saves the snapshot\nto the workspace.";
const std::string g_screenshot_hint = "ENTER saves the screenshot to the workspace.";
