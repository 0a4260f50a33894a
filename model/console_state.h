#pragma once

// One environment's console: a growing table of stamped lines, and four trace
// channels with tables of their own. Lines are never removed.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum ConsoleChannel : std::int32_t {
    CHANNEL_KERNEL = 0,
    CHANNEL_SCRIPT = 1,
    CHANNEL_FILE_IO = 2,
    CHANNEL_ERROR = 3,
    CHANNEL_COUNT = 4,
};

// Every line table starts this long and doubles before it would fill, so one
// entry always stays free.
constexpr std::int32_t CONSOLE_START_CAPACITY = 64;

template <typename T> using PerChannel = std::array<T, CHANNEL_COUNT>;

struct ConsoleState {
    double scroll = 0.5;
    std::int32_t content_width = 0;          // console view: the widest line
    std::int32_t content_height = 0;         // console view: the summed line heights
    std::int32_t channel_content_width = 0;  // the shown channel's widest line
    std::int32_t channel_content_height = 0; // the shown channel's summed heights
    double view_1 = 0.0;                     // mirrored from mirror_1 and mirror_2 by every append
    double view_2 = 0.0;
    double channel_shown_1 = 0.0;
    double channel_shown_2 = 0.0;
    std::int32_t widest_line = 0;
    std::int32_t total_height = 0;
    double mirror_1 = 0.0;
    double mirror_2 = 0.0;
    std::int32_t shown_channel = CHANNEL_KERNEL;
    PerChannel<std::int32_t> channel_widest{};
    PerChannel<std::int32_t> channel_height{};
    PerChannel<double> channel_view_1{};
    PerChannel<double> channel_view_2{};
    std::int32_t line_capacity = CONSOLE_START_CAPACITY;
    std::int32_t line_count = 0; // the next line goes to lines[line_count]
    std::vector<std::string> lines = std::vector<std::string>(CONSOLE_START_CAPACITY);
    PerChannel<std::int32_t> channel_capacity{CONSOLE_START_CAPACITY, CONSOLE_START_CAPACITY,
                                              CONSOLE_START_CAPACITY, CONSOLE_START_CAPACITY};
    PerChannel<std::int32_t> channel_count{};
    PerChannel<std::vector<std::string>> channel_lines{
        std::vector<std::string>(CONSOLE_START_CAPACITY),
        std::vector<std::string>(CONSOLE_START_CAPACITY),
        std::vector<std::string>(CONSOLE_START_CAPACITY),
        std::vector<std::string>(CONSOLE_START_CAPACITY)};
};

// Copies hold copies of all lines (the memberwise defaults).
ConsoleState construct_console_state();

// Stores `stamp` + " | " + `line` (the line alone for an empty stamp) and
// grows the console view by the line's width and height.
void append_console_line(ConsoleState& console, const std::string& line, const std::string& stamp);

// Shows trace channel `channel` (0 to 3) in the channel view; other values
// change nothing.
void select_shown_channel(ConsoleState& console, std::int32_t channel);
