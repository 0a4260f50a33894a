#include "model/enum_names.h"

#include <gtest/gtest.h>

TEST(EnumNames, TablesPairIdsWithNames)
{
    for (std::size_t i = 0; i < kColourModeCount; ++i)
        EXPECT_EQ(g_colour_mode_ids[i], i);
    for (std::size_t i = 0; i < kValueTypeCount; ++i)
        EXPECT_EQ(g_value_type_codes[i], i);
    EXPECT_STREQ(g_colour_mode_names[static_cast<std::size_t>(ColourModeId::BATCHID)], "BATCHID");
    EXPECT_STREQ(g_colour_mode_names[12], "DECLARATION_ORDER");
    EXPECT_STREQ(g_value_type_names[11], "ET");
    EXPECT_STREQ(value_type_name(static_cast<ValueType>(99)), "UNDEFINED");
    EXPECT_STREQ(g_parse_section_tags[6], "NOTES");
    const auto optimal = static_cast<std::size_t>(MeshAlgorithm::OPTIMAL_CSG);
    EXPECT_STREQ(g_execute_modes[optimal], "optimal_csg_mesh");
    EXPECT_STREQ(g_mesh_algorithm_titles[optimal], "Optimal-CSG Mesh");
    EXPECT_STREQ(g_mesh_algorithm_short_names[optimal], "Optimal-CSG");
}

TEST(EnumNames, TypeNameLookupIgnoresCaseAndBlanks)
{
    const std::pair<const char*, ValueType> cases[] = {
        {" dbl ", ValueType::DBL},          {"Str", ValueType::STR},
        {"\tet\n", ValueType::ET},          {"INTEGER", ValueType::UNDEFINED},
        {"UNDEFINED", ValueType::UNDEFINED}, {"", ValueType::UNDEFINED},
        {"I NT", ValueType::UNDEFINED}};
    for (const auto& [name, type] : cases)
        EXPECT_EQ(value_type_from_name(name), type) << "'" << name << "'";
}
