#pragma once

// The message panes (information, error, warning), the panes opened from the
// bars and the navigator as modal states, and the two dispatchers behind the
// Escape and Enter keys and the panes' ESCAPE and ENTER buttons. Every pane
// is built once; opening one only sets its modal byte and shows it with the
// masks (MASKPANE and OVERLAY) behind it.

#include <string>

#include "state/application.h"

// Each opens its pane over whatever is open already; Escape closes them one
// by one. The warning also shows the navigator mask over an open navigator.
void show_info_pane(Application& app, const std::string& title, const std::string& text);
void show_error_pane(Application& app, const std::string& title, const std::string& text);
void show_warning_pane(Application& app, const std::string& title, const std::string& text);
void hide_warning_pane(Application& app);

// What Enter leaves to the caller, which runs the matching command: the
// dispatch itself cannot reach the commands, exports and captures it names.
enum class EnterFollowUp {
    NONE,
    ASSEMBLE,               // run or parse pane: closed, then the assemble command
    SAVE_ENVIRONMENT_IMAGE, // capture pane
    SAVE_SCREENSHOT,        // screenshot pane
    CONFIRM_EXPORT,         // export pane without the navigator
    APPLY_ENTITY_WORKSPACE, // nothing open before start-up has finished
    CONFIRM_NAVIGATOR,      // the navigator's OK
};

// Escape: closes the first open state in the order confirmation, info,
// error, warning, run, parse, capture, screenshot, profile, directive,
// export (not over the navigator), about, help, navigator; nothing else.
// The masks stay while any other modal state is still open.
void close_modal_state(Application& app);
// Enter: accepts the confirmation pane (its action runs five frames later,
// under the busy pane), or names the follow-up. Message, about, help and
// busy panes ignore it.
EnterFollowUp confirm_modal_state(Application& app);

// Closing the navigator shows again what it was opened from: the
// configuration pane before start-up has finished, an open export pane.
void set_navigator_visible(Application& app, bool visible);

// The opening state: its modal byte and OPENPANE, shown with the masks while
// scripts or a native dialog are on their way. Ending it leaves the masks to
// whatever else is still open, so every route out of it leaves the window
// usable.
void show_opening_pane(Application& app);
void hide_opening_pane(Application& app);
// While the export location's native dialog is awaited, OPENPANE dims the
// export pane beneath it with a fill, the same fill under the pointer and
// a thin frame; the dialog's step takes them off again.
void set_opening_busy_style(Application& app, bool busy);
void toggle_about_pane(Application& app);
void toggle_help_pane(Application& app);

// The widget of a modal state's pane, or null while none is registered.
lumo::P* modal_pane_widget(Application& app, ModalState state);
