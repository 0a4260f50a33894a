#include "state/menu_state.h"

#include <utility>

namespace {

// Initial check marks, bit 0 first.
const std::array<std::vector<int>, TOOL_MENU_COUNT> k_initial_tool_bits = {{
    {1, 0, 0, 0, 0},             // TOPOLOGY: surface
    {1, 0, 0, 0, 0},             // COLOUR: per-vertex colours
    {0, 1, 0, 1, 0, 0, 0, 0, 0}, // SHADING
    {1, 0, 0},                   // ORBIT
    {0, 1},                      // PROJECTION: perspective
    {1, 0, 0},                   // STATE
    {1, 1, 1, 0},                // WIDGETS
    {0, 0, 0, 0, 0, 0},          // VIEW
}};

const std::array<std::vector<int>, SETTINGS_MENU_COUNT> k_initial_settings_bits = {{
    {0, 0, 0, 0, 0, 0},                   // WINDOW
    {1, 0, 0, 0, 1},                      // SHADING
    {0, 1, 1, 1, 0, 0, 0},                // LIGHTING
    {},                                   // FULLSCREEN
    {0, 1, 0},                            // CAMERA: free-roam, the default controller
    {},                                   // LOCK
    {0, 0, 1, 0, 0},                      // THEME: theme 2, the default theme
    {},                                   // SLIDERS
    {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1}, // WIDGETS
    {1, 0, 1, 0, 1, 0},                   // SETTINGS
}};

void snapshot_group(const std::vector<MenuCheckBits*>& group, MenuCheckSnapshot& out)
{
    MenuCheckSnapshot copies;
    copies.reserve(group.size());
    for (const MenuCheckBits* set : group)
        copies.push_back(*set);
    out = std::move(copies);
}

// Writes bit by bit so that each live set keeps its own size.
bool restore_group(std::vector<MenuCheckBits*>& group, const MenuCheckSnapshot& snapshot)
{
    if (snapshot.size() != group.size()) return false;
    for (std::size_t i = 0; i < group.size(); ++i) {
        MenuCheckBits& live = *group[i];
        for (std::int32_t bit = 0; bit < live.bit_count; ++bit)
            set_menu_check(live, bit, get_menu_check(snapshot[i], bit));
    }
    return true;
}

} // namespace

MenuCheckBits make_menu_check_bits(const std::vector<int>& bits)
{
    MenuCheckBits set;
    set.bit_count = static_cast<std::int32_t>(bits.size());
    set.words.assign((bits.size() + 31) / 32, 0u);
    std::int32_t bit = 0;
    for (int value : bits)
        set_menu_check(set, bit++, value != 0);
    return set;
}

bool get_menu_check(const MenuCheckBits& set, std::int32_t bit)
{
    if (bit < 0 || bit >= set.bit_count) return false;
    const std::size_t word = static_cast<std::size_t>(bit) / 32;
    if (word >= set.words.size()) return false;
    return (set.words[word] >> (bit % 32)) & 1u;
}

void set_menu_check(MenuCheckBits& set, std::int32_t bit, bool on)
{
    if (bit < 0 || bit >= set.bit_count) return;
    const std::size_t word = static_cast<std::size_t>(bit) / 32;
    if (word >= set.words.size()) return;
    const std::uint32_t mask = 1u << (bit % 32);
    if (on)
        set.words[word] |= mask;
    else
        set.words[word] &= ~mask;
}

MenuCheckStates::MenuCheckStates()
{
    for (int i = 0; i < TOOL_MENU_COUNT; ++i) {
        tool_menu_bits[i] = make_menu_check_bits(k_initial_tool_bits[i]);
        tool_menu_checks.push_back(&tool_menu_bits[i]);
    }
    for (int i = 0; i < SETTINGS_MENU_COUNT; ++i) {
        settings_menu_bits[i] = make_menu_check_bits(k_initial_settings_bits[i]);
        settings_menu_checks.push_back(&settings_menu_bits[i]);
    }
    snapshot_tool_menu_checks(*this, default_tool_menu_snapshot);
    snapshot_settings_menu_checks(*this, default_settings_menu_snapshot);
}

void snapshot_tool_menu_checks(const MenuCheckStates& states, MenuCheckSnapshot& out)
{
    snapshot_group(states.tool_menu_checks, out);
}

void snapshot_settings_menu_checks(const MenuCheckStates& states, MenuCheckSnapshot& out)
{
    snapshot_group(states.settings_menu_checks, out);
}

bool restore_tool_menu_checks(MenuCheckStates& states, const MenuCheckSnapshot& snapshot)
{
    return restore_group(states.tool_menu_checks, snapshot);
}

bool restore_settings_menu_checks(MenuCheckStates& states, const MenuCheckSnapshot& snapshot)
{
    return restore_group(states.settings_menu_checks, snapshot);
}
