#pragma once

// The low-level mesh inspector: the two hint lines of the LLMI indicator
// after each pick, and the report the indicator's click shows. Both only
// read the picked entity's mesh. Every index is checked against the array
// it reads; what is missing prints as "?".

#include <cstdint>
#include <string>

struct Application;
struct EntityList;

// Colour ids of 0xFFFFFF and above mark a pick that hit nothing.
constexpr std::int32_t NO_PICK = 16777215;

struct InspectionLines {
    bool picked = false; // false: the hints are cleared
    std::string title;
    std::string text;
};

struct LlmiReport {
    bool shown = false; // false: the click does nothing
    std::string title;
    std::string text;
};

// `entity` indexes the list's flat entities (each entity, then its group
// members); `list` may be null before any environment exists. The mode is
// one of "!TPGOEU", lower case counting as upper case.
InspectionLines format_inspection_lines(EntityList* list, std::int32_t entity,
                                        std::int32_t triangle, char mode);
LlmiReport format_llmi_report(EntityList* list, std::int32_t entity, std::int32_t triangle,
                              char mode);

// Points the indicator's hint at the picked-element lines of the last pick,
// or clears it; the hint bar follows at once when it shows the indicator.
void format_inspection_text(Application& app);
// The indicator's click: the report in the information pane.
void show_llmi_report(Application& app);
