#include "render/gl/gl_extensions.h"

#include <gtest/gtest.h>

TEST(GlVersion, ComparesMajorThenMinorOfTheLeadingNumberAndUnreadableCountsAsNothing)
{
    const struct {
        const char* version;
        int major, minor;
        bool at_least;
    } cases[] = {{"4.5 (Compatibility Profile) Mesa 22.3.6", 3, 0, true},
                 {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5, true},
                 {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 6, false},
                 {"4.5 (Compatibility Profile) Mesa 22.3.6", 5, 0, false},
                 {"2.1 Mesa 7.0", 1, 5, true},
                 {"2.1 Mesa 7.0", 3, 0, false},
                 {"1.4.0 - Build 8.14", 1, 5, false},
                 {"1.4.0 - Build 8.14", 1, 3, true},
                 {nullptr, 1, 1, false},
                 {"", 1, 1, false},
                 {"OpenGL ES 3.2 Mesa", 1, 1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(gl_version_at_least(c.version, c.major, c.minor), c.at_least)
            << (c.version ? c.version : "null") << " >= " << c.major << "." << c.minor;
}

TEST(GlExtensionList, MatchesWholeNamesOnly)
{
    const char* list = "GL_ARB_framebuffer_object_extra GL_EXT_texture GL_ARB_vertex_array_object";
    EXPECT_TRUE(gl_extension_listed(list, "GL_ARB_vertex_array_object"));
    EXPECT_TRUE(gl_extension_listed(list, "GL_EXT_texture"));
    for (const char* part : {"GL_ARB_framebuffer_object", "GL_EXT_tex", "texture", ""})
        EXPECT_FALSE(gl_extension_listed(list, part)) << part;
    EXPECT_TRUE(gl_extension_listed("GL_ARB_framebuffer_object_extra GL_ARB_framebuffer_object",
                                    "GL_ARB_framebuffer_object"));
    EXPECT_FALSE(gl_extension_listed(nullptr, "GL_EXT_texture"));
}
