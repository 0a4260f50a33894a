#pragma once

// Check marks of the eight tool menus and the ten settings menus, one bit per
// menu row. They are part of an environment's view state: saving an
// environment snapshots both groups, restoring writes a snapshot back.

#include <array>
#include <cstdint>
#include <vector>

constexpr int TOOL_MENU_COUNT = 8;
constexpr int SETTINGS_MENU_COUNT = 10;

// Tool menus, in menu-bar order.
enum ToolMenu : int {
    TOOL_MENU_TOPOLOGY = 0,
    TOOL_MENU_COLOUR = 1,
    TOOL_MENU_SHADING = 2,
    TOOL_MENU_ORBIT = 3,
    TOOL_MENU_PROJECTION = 4,
    TOOL_MENU_STATE = 5,
    TOOL_MENU_WIDGETS = 6,
    TOOL_MENU_VIEW = 7,
};

// Settings-bar entries; FULLSCREEN, LOCK and SLIDERS act at once and have
// no check marks (their bit sets are empty but still counted).
enum SettingsMenu : int {
    SETTINGS_MENU_WINDOW = 0,
    SETTINGS_MENU_SHADING = 1,
    SETTINGS_MENU_LIGHTING = 2,
    SETTINGS_MENU_FULLSCREEN = 3,
    SETTINGS_MENU_CAMERA = 4,
    SETTINGS_MENU_LOCK = 5,
    SETTINGS_MENU_THEME = 6,
    SETTINGS_MENU_SLIDERS = 7,
    SETTINGS_MENU_WIDGETS = 8,
    SETTINGS_MENU_SETTINGS = 9,
};

// Rows of the WINDOW and WIDGETS settings drop-downs that carry a value field
// instead of a check mark.
enum SettingsValueRow : int {
    SETTINGS_ROW_WINDOW_WIDTH = 0,
    SETTINGS_ROW_WINDOW_HEIGHT = 1,
    SETTINGS_ROW_FRAME_RATE_LIMIT = 6,
    SETTINGS_ROW_MONO_EDGE_TONE = 7,
    SETTINGS_ROW_MONO_DOT_TONE = 8,
    SETTINGS_ROW_SILHOUETTE_TONE = 9,
    SETTINGS_ROW_EYE_HEIGHT = 10,
};

// Rows of the SETTINGS drop-down (the system configuration).
enum SystemSettingsRow : int {
    SYSTEM_ROW_UI_ANIMATIONS = 0,
    SYSTEM_ROW_INVERTED_ZOOM = 1,
    SYSTEM_ROW_INLINE_IO = 2,
    SYSTEM_ROW_NATIVE_IO = 3,
    SYSTEM_ROW_NATIVE_DND = 4,
};

// A growable bit set: bit i lives in bit i % 32 of word i / 32.
struct MenuCheckBits {
    std::vector<std::uint32_t> words;
    std::int32_t bit_count = 0;

    bool operator==(const MenuCheckBits&) const = default;
};

// One copy of every bit set of a group, in menu order.
using MenuCheckSnapshot = std::vector<MenuCheckBits>;

MenuCheckBits make_menu_check_bits(const std::vector<int>& bits);
bool get_menu_check(const MenuCheckBits& set, std::int32_t bit);
// Bits outside the set are ignored: the set keeps its size.
void set_menu_check(MenuCheckBits& set, std::int32_t bit, bool on);

// The live check marks. The pointer lists address the sets of this very
// object, so it can be neither copied nor moved.
struct MenuCheckStates {
    std::array<MenuCheckBits, TOOL_MENU_COUNT> tool_menu_bits;
    std::vector<MenuCheckBits*> tool_menu_checks;
    std::array<MenuCheckBits, SETTINGS_MENU_COUNT> settings_menu_bits;
    std::vector<MenuCheckBits*> settings_menu_checks;
    // Taken once at construction; a never-saved environment restores these.
    MenuCheckSnapshot default_tool_menu_snapshot;
    MenuCheckSnapshot default_settings_menu_snapshot;

    MenuCheckStates();
    MenuCheckStates(const MenuCheckStates&) = delete;
    MenuCheckStates& operator=(const MenuCheckStates&) = delete;
};

void snapshot_tool_menu_checks(const MenuCheckStates& states, MenuCheckSnapshot& out);
void snapshot_settings_menu_checks(const MenuCheckStates& states, MenuCheckSnapshot& out);
// False, with nothing changed, when the snapshot holds another number of sets.
bool restore_tool_menu_checks(MenuCheckStates& states, const MenuCheckSnapshot& snapshot);
bool restore_settings_menu_checks(MenuCheckStates& states, const MenuCheckSnapshot& snapshot);
