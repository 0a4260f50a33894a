#pragma once

// Decoding of the text/uri-list that a drag-and-drop source delivers, and the
// one drop text the application receives. Pure, tested headless.

#include <string>
#include <vector>

// The local paths named by a text/uri-list, in order. Lines end in CRLF (a
// bare LF is accepted too); "#" lines are comments. Only "file:" URIs with
// no host or "localhost" count; their percent escapes are decoded and every
// backslash becomes a slash. A URI that is not a local file, or that would
// decode to a NUL byte or an empty path, is left out.
std::vector<std::string> decode_uri_list(const std::string& uri_list);

// "file://" + path for each path, joined by "\n", nothing after the last.
std::string build_drop_text(const std::vector<std::string>& paths);
