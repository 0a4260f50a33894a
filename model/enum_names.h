#pragma once

// Vocabularies shared by several subsystems. The tables are constant
// (constant-initialised, so any static initialiser may read them) and entry i
// of a name table belongs to id i.

#include <array>
#include <cstdint>
#include <string>

enum class ValueType : std::uint32_t {
    INT = 0,
    DBL = 1,
    LNG = 2,
    BLN = 3,
    CHR = 4,
    STR = 5,
    MSH = 6,
    SHP = 7,
    ARY = 8,
    MAP = 9,
    ENM = 10,
    ET = 11,
    UNDEFINED = 12,
};

enum class ColourModeId : std::uint32_t {
    DARK = 0,
    LIGHT = 1,
    RGBA = 2,
    ELEVATION = 3,
    DEPTH = 4,
    NORMAL = 5,
    VERTICALITY = 6,
    PLANARITY = 7,
    CURVATURE = 8,
    QUALITY = 9,
    VALENCE_NGON = 10,
    VALENCE_TESS = 11,
    DECLARATION_ORDER = 12,
    OPERAND = 13,
    FACEID = 14,
    GROUPID = 15,
    ELEMENTID = 16,
    BATCHID = 17,
};

// The kernel's mesh algorithms, indexing the three MeshAlgorithm tables.
enum class MeshAlgorithm : std::uint32_t {
    PURE_UNION = 0,
    BASIC_CSG = 1,
    OPTIMAL_CSG = 2,
};

inline constexpr std::size_t kValueTypeCount = 13;
inline constexpr std::size_t kColourModeCount = 18;
inline constexpr std::size_t kMeshAlgorithmCount = 3;
inline constexpr std::size_t kParseSectionCount = 7;

extern const std::array<std::uint32_t, kColourModeCount> g_colour_mode_ids;
extern const std::array<const char*, kColourModeCount> g_colour_mode_names;

// Written after "#execute_mode:" in the directive block of an assemble run.
extern const std::array<const char*, kMeshAlgorithmCount> g_execute_modes;
// Shown by the execution-mode selection and the entity properties.
extern const std::array<const char*, kMeshAlgorithmCount> g_mesh_algorithm_titles;
// Printed in the profiling report.
extern const std::array<const char*, kMeshAlgorithmCount> g_mesh_algorithm_short_names;

// Section tags of the kernel's parse output, in the order a parse report keeps
// its sections.
extern const std::array<const char*, kParseSectionCount> g_parse_section_tags;

extern const std::array<std::uint32_t, kValueTypeCount> g_value_type_codes;
extern const std::array<const char*, kValueTypeCount> g_value_type_names;

// Name of a value type; codes past the table give "UNDEFINED".
const char* value_type_name(ValueType type);
// Reads a type name in any letter case and with surrounding blanks; anything
// but the twelve real type names (including "UNDEFINED") gives UNDEFINED.
ValueType value_type_from_name(const std::string& text);
