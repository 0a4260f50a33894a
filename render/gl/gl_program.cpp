#include "render/gl/gl_program.h"

#include "platform/trace.h"
#include "render/gl/gl_extensions.h"

#include <vector>

namespace {

std::string shader_log(GLuint shader)
{
    GLint length = 0;
    gl::GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    gl::GetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return log.data();
}

std::string program_log(GLuint program)
{
    GLint length = 0;
    gl::GetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    gl::GetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return log.data();
}

// The compiled shader, or 0 after tracing its log.
GLuint compile_shader(GLenum kind, const std::string& source)
{
    const GLuint shader = gl::CreateShader(kind);
    const GLchar* text = source.c_str();
    gl::ShaderSource(shader, 1, &text, nullptr);
    gl::CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl::GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        trace_line("SHADER-COMPILATION-ERROR: " + shader_log(shader));
        gl::DeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link_program(GLuint vertex_shader, GLuint fragment_shader)
{
    const GLuint program = gl::CreateProgram();
    gl::AttachShader(program, vertex_shader);
    gl::AttachShader(program, fragment_shader);
    gl::LinkProgram(program);
    GLint linked = GL_FALSE;
    gl::GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        trace_line("PROGRAM-LINKING-ERROR: " + program_log(program));
        gl::DeleteProgram(program);
        return 0;
    }
    // The program keeps what it needs; the shaders can go.
    gl::DetachShader(program, vertex_shader);
    gl::DetachShader(program, fragment_shader);
    return program;
}

} // namespace

GLuint build_gl_program(const std::string& vertex_source, const std::string& fragment_source)
{
    if (!g_gl_support.shaders) {
        trace_line("PROGRAM-LINKING-ERROR: this OpenGL context has no GLSL programs.");
        return 0;
    }
    const GLuint vertex_shader = compile_shader(GL_VERTEX_SHADER, vertex_source);
    const GLuint fragment_shader = compile_shader(GL_FRAGMENT_SHADER, fragment_source);
    GLuint program = 0;
    if (vertex_shader != 0 && fragment_shader != 0) {
        program = link_program(vertex_shader, fragment_shader);
    }
    if (vertex_shader != 0) {
        gl::DeleteShader(vertex_shader);
    }
    if (fragment_shader != 0) {
        gl::DeleteShader(fragment_shader);
    }
    return program;
}
