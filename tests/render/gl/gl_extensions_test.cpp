#include "render/gl/gl_extensions.h"

#include <gtest/gtest.h>

TEST(GlVersion, ComparesMajorThenMinorOfTheLeadingNumber)
{
    const char* mesa = "4.5 (Compatibility Profile) Mesa 22.3.6";
    EXPECT_TRUE(gl_version_at_least(mesa, 1, 3));
    EXPECT_TRUE(gl_version_at_least(mesa, 3, 0));
    EXPECT_TRUE(gl_version_at_least(mesa, 4, 5));
    EXPECT_FALSE(gl_version_at_least(mesa, 4, 6));
    EXPECT_FALSE(gl_version_at_least(mesa, 5, 0));
    EXPECT_TRUE(gl_version_at_least("2.1 Mesa 7.0", 1, 5));
    EXPECT_TRUE(gl_version_at_least("2.1 Mesa 7.0", 2, 0));
    EXPECT_FALSE(gl_version_at_least("2.1 Mesa 7.0", 3, 0));
    EXPECT_FALSE(gl_version_at_least("1.4.0 - Build 8.14", 1, 5));
    EXPECT_TRUE(gl_version_at_least("1.4.0 - Build 8.14", 1, 3));
}

TEST(GlVersion, UnreadableVersionsCountAsNothing)
{
    EXPECT_FALSE(gl_version_at_least(nullptr, 1, 1));
    EXPECT_FALSE(gl_version_at_least("", 1, 1));
    EXPECT_FALSE(gl_version_at_least("OpenGL ES 3.2 Mesa", 1, 1));
}

TEST(GlExtensionList, MatchesWholeNamesOnly)
{
    const char* list = "GL_ARB_framebuffer_object_extra GL_EXT_texture GL_ARB_vertex_array_object";
    EXPECT_TRUE(gl_extension_listed(list, "GL_ARB_vertex_array_object"));
    EXPECT_TRUE(gl_extension_listed(list, "GL_EXT_texture"));
    EXPECT_FALSE(gl_extension_listed(list, "GL_ARB_framebuffer_object"));
    EXPECT_FALSE(gl_extension_listed(list, "GL_EXT_tex"));
    EXPECT_FALSE(gl_extension_listed(list, "texture"));
    EXPECT_TRUE(gl_extension_listed("GL_ARB_framebuffer_object_extra GL_ARB_framebuffer_object",
                                    "GL_ARB_framebuffer_object"));
    EXPECT_FALSE(gl_extension_listed(list, ""));
    EXPECT_FALSE(gl_extension_listed(nullptr, "GL_EXT_texture"));
}
