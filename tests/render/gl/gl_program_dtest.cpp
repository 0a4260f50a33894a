#include "tests/platform/x11/display_fixture.h"

#include "render/gl/gl_program.h"
#include "tests/platform/trace_capture.h"

namespace {

const char* const PASS_THROUGH_VERTEX = "#version 120\n"
                                        "attribute vec4 position;\n"
                                        "void main() { gl_Position = position; }\n";

const char* const WHITE_FRAGMENT = "#version 120\n"
                                   "void main() { gl_FragColor = vec4(1.0); }\n";

using GlProgram = GlWindowTest<64, 64>;

} // namespace

TEST_F(GlProgram, EveryGroupLoadsAndValidSourcesLinkIntoAProgram)
{
    EXPECT_TRUE(g_gl_support.framebuffers && g_gl_support.buffers && g_gl_support.vertex_arrays &&
                g_gl_support.shaders && g_gl_support.multitexture && gl::ActiveTexture != nullptr);
    TraceCapture trace;
    const GLuint program = build_gl_program(PASS_THROUGH_VERTEX, WHITE_FRAGMENT);
    EXPECT_NE(program, 0u);
    GLint linked = GL_FALSE;
    gl::GetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_GE(gl::GetAttribLocation(program, "position"), 0);
    EXPECT_EQ(trace.text(), "");
    gl::DeleteProgram(program);
}

TEST_F(GlProgram, ACompileErrorGivesZeroAndItsLogOnTheTrace)
{
    TraceCapture trace;
    EXPECT_EQ(
        build_gl_program(PASS_THROUGH_VERTEX, "#version 120\nvoid main() { undeclared = 1.0; }\n"),
        0u);
    const std::string text = trace.text();
    EXPECT_EQ(text.rfind("SHADER-COMPILATION-ERROR: ", 0), 0u) << text;
    EXPECT_NE(text.find("undeclared"), std::string::npos) << "the driver's log names the culprit";
    EXPECT_EQ(text.find("PROGRAM-LINKING-ERROR"), std::string::npos) << "no link is tried";
}

TEST_F(GlProgram, ALinkErrorGivesZeroAndTheLinkLogOnTheTrace)
{
    TraceCapture trace;
    // Compiles, but a vertex shader without main cannot be linked.
    EXPECT_EQ(build_gl_program("#version 120\nvoid helper() {}\n", WHITE_FRAGMENT), 0u);
    const std::string text = trace.text();
    EXPECT_EQ(text.rfind("PROGRAM-LINKING-ERROR: ", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("PROGRAM-LINKING-ERROR: \n").size())
        << "the log follows the tag";
}
