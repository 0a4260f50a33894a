#include "platform/uri_list.h"

#include <optional>
#include <sstream>

namespace {

int hex_digit_value(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

// A "%" not followed by two hex digits stays as it is: sources that forget to
// escape a literal "%" still give the intended name.
std::optional<std::string> percent_decode(const std::string& text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hex_digit_value(text[i + 1]);
            const int low = hex_digit_value(text[i + 2]);
            if (high >= 0 && low >= 0) {
                const char byte = static_cast<char>(high * 16 + low);
                if (byte == '\0') {
                    return std::nullopt; // a path cannot hold NUL
                }
                decoded += byte;
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

// The path part of a local file URI, still escaped; nothing for any other URI.
std::optional<std::string> local_file_path(const std::string& uri)
{
    const std::string scheme = "file:";
    if (uri.compare(0, scheme.size(), scheme) != 0) {
        return std::nullopt;
    }
    std::string rest = uri.substr(scheme.size());
    if (rest.compare(0, 2, "//") == 0) {
        const std::size_t path_start = rest.find('/', 2);
        if (path_start == std::string::npos) {
            return std::nullopt;
        }
        const std::string host = rest.substr(2, path_start - 2);
        if (!host.empty() && host != "localhost") {
            return std::nullopt;
        }
        rest = rest.substr(path_start);
    }
    if (rest.empty() || rest[0] != '/') {
        return std::nullopt;
    }
    return rest;
}

} // namespace

std::vector<std::string> decode_uri_list(const std::string& uri_list)
{
    std::vector<std::string> paths;
    std::istringstream lines(uri_list);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::optional<std::string> escaped = local_file_path(line);
        if (!escaped) {
            continue;
        }
        std::optional<std::string> path = percent_decode(*escaped);
        if (!path || path->empty()) {
            continue;
        }
        for (char& byte : *path) {
            if (byte == '\\') {
                byte = '/';
            }
        }
        paths.push_back(*path);
    }
    return paths;
}

std::string build_drop_text(const std::vector<std::string>& paths)
{
    std::string text;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += "file://" + paths[i];
    }
    return text;
}
