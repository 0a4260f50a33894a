#include "model/enum_names.h"

#include "platform/text.h"

constexpr std::array<std::uint32_t, kColourModeCount> g_colour_mode_ids = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

constexpr std::array<const char*, kColourModeCount> g_colour_mode_names = {"DARK",
                                                                           "LIGHT",
                                                                           "RGBA",
                                                                           "ELEVATION",
                                                                           "DEPTH",
                                                                           "NORMAL",
                                                                           "VERTICALITY",
                                                                           "PLANARITY",
                                                                           "CURVATURE",
                                                                           "QUALITY",
                                                                           "VALENCE_NGON",
                                                                           "VALENCE_TESS",
                                                                           "DECLARATION_ORDER",
                                                                           "OPERAND",
                                                                           "FACEID",
                                                                           "GROUPID",
                                                                           "ELEMENTID",
                                                                           "BATCHID"};

constexpr std::array<const char*, kMeshAlgorithmCount> g_execute_modes = {
    "pure_union_mesh", "basic_csg_mesh", "optimal_csg_mesh"};

constexpr std::array<const char*, kMeshAlgorithmCount> g_mesh_algorithm_titles = {
    "Pure-Union Mesh", "Basic-CSG Mesh", "Optimal-CSG Mesh"};

constexpr std::array<const char*, kMeshAlgorithmCount> g_mesh_algorithm_short_names = {
    "Pure-Union", "Basic-CSG", "Optimal-CSG"};

constexpr std::array<const char*, kParseSectionCount> g_parse_section_tags = {
    "DIRECTIVES", "PARAMETERS", "FUNCTIONS", "OPERATIONS", "ERRORS", "WARNINGS", "NOTES"};

constexpr std::array<std::uint32_t, kValueTypeCount> g_value_type_codes = {0, 1, 2, 3,  4,  5, 6,
                                                                           7, 8, 9, 10, 11, 12};

constexpr std::array<const char*, kValueTypeCount> g_value_type_names = {
    "INT", "DBL", "LNG", "BLN", "CHR", "STR", "MSH", "SHP", "ARY", "MAP", "ENM", "ET", "UNDEFINED"};

const char* value_type_name(ValueType type)
{
    const auto code = static_cast<std::uint32_t>(type);
    if (code >= kValueTypeCount)
        return g_value_type_names[static_cast<std::size_t>(ValueType::UNDEFINED)];
    return g_value_type_names[code];
}

ValueType value_type_from_name(const std::string& text)
{
    const std::string wanted = trim_text(to_upper_text(text));
    for (std::uint32_t code = 0; code < static_cast<std::uint32_t>(ValueType::UNDEFINED); ++code)
        if (wanted == g_value_type_names[code]) return static_cast<ValueType>(code);
    return ValueType::UNDEFINED;
}
