#pragma once

// Building a GLSL program from vertex- and fragment-shader source.

#include <GL/gl.h>

#include <string>

// The linked program's name, or 0 when a shader does not compile, the link
// fails or the context has no GLSL. The compile log goes to the trace after
// "SHADER-COMPILATION-ERROR: ", the link log after "PROGRAM-LINKING-ERROR: ".
GLuint build_gl_program(const std::string& vertex_source, const std::string& fragment_source);
