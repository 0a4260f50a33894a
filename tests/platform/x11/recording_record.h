#pragma once

// A window record whose slots write one line per call into g_slot_log, so a
// test can compare the exact sequence of slot calls.

#include "platform/window_callbacks.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

inline std::vector<std::string> g_slot_log;

namespace recording {

inline std::string numbers(std::initializer_list<std::int32_t> values)
{
    std::string text;
    for (std::int32_t value : values) {
        text += " " + std::to_string(value);
    }
    return text;
}

inline bool log_line(const std::string& line)
{
    g_slot_log.push_back(line);
    return true;
}

}  // namespace recording

inline WindowCallbacks recording_record()
{
    WindowCallbacks record = construct_window_record(720, 480, "recording");
    record.on_start = [](WindowCallbacks*) { return recording::log_line("start"); };
    record.on_init = [](WindowCallbacks*) { return recording::log_line("init"); };
    record.on_paint = [](WindowCallbacks*) { return recording::log_line("paint"); };
    record.on_idle = [](WindowCallbacks*) { return recording::log_line("idle"); };
    record.on_mouse_button = [](WindowCallbacks*, std::int32_t button, std::int32_t state, std::int32_t x,
                                std::int32_t y) { return recording::log_line("button" + recording::numbers({button, state, x, y})); };
    record.on_motion = [](WindowCallbacks*, std::int32_t x, std::int32_t y) {
        return recording::log_line("motion" + recording::numbers({x, y}));
    };
    record.on_drag = [](WindowCallbacks*, std::int32_t x, std::int32_t y) {
        return recording::log_line("drag" + recording::numbers({x, y}));
    };
    record.on_key_down = [](WindowCallbacks*, std::int32_t key, std::int32_t bits) {
        return recording::log_line("down" + recording::numbers({key, bits}));
    };
    record.on_key_up = [](WindowCallbacks*, std::int32_t key, std::int32_t bits) {
        return recording::log_line("up" + recording::numbers({key, bits}));
    };
    record.on_resize = [](WindowCallbacks*, std::int32_t width, std::int32_t height) {
        return recording::log_line("resize" + recording::numbers({width, height}));
    };
    record.on_drop = [](WindowCallbacks*, std::int32_t x, std::int32_t y, const std::string& text) {
        return recording::log_line("drop" + recording::numbers({x, y}) + " " + text);
    };
    record.on_close = [](WindowCallbacks*) { return recording::log_line("close"); };
    record.on_modifiers = [](WindowCallbacks*, std::int32_t bits) { return recording::log_line("mod" + recording::numbers({bits})); };
    record.on_keys_reset = [](WindowCallbacks*) { return recording::log_line("keys-reset"); };
    return record;
}
