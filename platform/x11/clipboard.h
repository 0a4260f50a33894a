#pragma once

// The window's side of the desktop clipboard: it takes ownership of the
// CLIPBOARD selection and answers other programs' requests for the text from
// the event loop, as long as it keeps ownership.

#include <string>

// Offers the text as the clipboard's content; false without a window or when
// the server does not give the window the selection.
bool set_x11_clipboard_text(const std::string& text);
