#include "model/enum_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(EnumNames, TablesPairIdsWithNames)
{
    for (std::size_t i = 0; i < kColourModeCount; ++i)
        EXPECT_EQ(g_colour_mode_ids[i], i);
    EXPECT_STREQ(g_colour_mode_names[static_cast<std::size_t>(ColourModeId::DARK)], "DARK");
    EXPECT_STREQ(g_colour_mode_names[static_cast<std::size_t>(ColourModeId::BATCHID)], "BATCHID");
    EXPECT_STREQ(g_colour_mode_names[12], "DECLARATION_ORDER");

    for (std::size_t i = 0; i < kValueTypeCount; ++i)
        EXPECT_EQ(g_value_type_codes[i], i);
    EXPECT_STREQ(g_value_type_names[11], "ET");
    EXPECT_STREQ(value_type_name(ValueType::STR), "STR");
    EXPECT_STREQ(value_type_name(static_cast<ValueType>(99)), "UNDEFINED");

    EXPECT_STREQ(g_parse_section_tags[0], "DIRECTIVES");
    EXPECT_STREQ(g_parse_section_tags[6], "NOTES");
}

TEST(EnumNames, MeshAlgorithmTextsByIndex)
{
    const auto optimal = static_cast<std::size_t>(MeshAlgorithm::OPTIMAL_CSG);
    EXPECT_STREQ(g_execute_modes[optimal], "optimal_csg_mesh");
    EXPECT_STREQ(g_mesh_algorithm_titles[optimal], "Optimal-CSG Mesh");
    EXPECT_STREQ(g_mesh_algorithm_short_names[optimal], "Optimal-CSG");
    EXPECT_STREQ(g_execute_modes[0], "pure_union_mesh");
    EXPECT_STREQ(g_mesh_algorithm_titles[1], "Basic-CSG Mesh");
}

TEST(EnumNames, TypeNameLookupIgnoresCaseAndBlanks)
{
    EXPECT_EQ(value_type_from_name(" dbl "), ValueType::DBL);
    EXPECT_EQ(value_type_from_name("Str"), ValueType::STR);
    EXPECT_EQ(value_type_from_name("\tet\n"), ValueType::ET);
    EXPECT_EQ(value_type_from_name("INTEGER"), ValueType::UNDEFINED);
    EXPECT_EQ(value_type_from_name("UNDEFINED"), ValueType::UNDEFINED);
    EXPECT_EQ(value_type_from_name(""), ValueType::UNDEFINED);
    EXPECT_EQ(value_type_from_name("I NT"), ValueType::UNDEFINED);
}
