#include "platform/window_callbacks.h"

#include "platform/trace.h"

#include <cstring>

WindowCallbacks* g_windows[WINDOW_SLOT_COUNT] = {};
std::uint8_t g_key_states[256] = {};
std::uint8_t g_arrow_key_states[4] = {};

WindowCallbacks construct_window_record(std::uint32_t width, std::uint32_t height,
                                        const std::string& title)
{
    WindowCallbacks record;
    record.width = width;
    record.height = height;
    record.title = title;
    return record;
}

void register_window(WindowCallbacks* window, std::int32_t index)
{
    if (index < 0 || index >= WINDOW_SLOT_COUNT) {
        trace_line("ZARNO-8-WINDOW-MAX!");
        return;
    }
    g_windows[index] = window;
}

void reset_key_tables()
{
    std::memset(g_key_states, 0, sizeof g_key_states);
    std::memset(g_arrow_key_states, 0, sizeof g_arrow_key_states);
    emit_event(&WindowCallbacks::on_keys_reset);
}
