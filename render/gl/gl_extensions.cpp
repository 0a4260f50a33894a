#include "render/gl/gl_extensions.h"

#include "platform/trace.h"
#include "platform/x11/gl_window.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace gl {

PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC RenderbufferStorageMultisample = nullptr;
PFNGLGENERATEMIPMAPPROC GenerateMipmap = nullptr;

PFNGLGENBUFFERSPROC GenBuffers = nullptr;
PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
PFNGLBINDBUFFERPROC BindBuffer = nullptr;
PFNGLBUFFERDATAPROC BufferData = nullptr;
PFNGLBUFFERSUBDATAPROC BufferSubData = nullptr;
PFNGLMAPBUFFERPROC MapBuffer = nullptr;
PFNGLUNMAPBUFFERPROC UnmapBuffer = nullptr;

PFNGLGENVERTEXARRAYSPROC GenVertexArrays = nullptr;
PFNGLDELETEVERTEXARRAYSPROC DeleteVertexArrays = nullptr;
PFNGLBINDVERTEXARRAYPROC BindVertexArray = nullptr;

PFNGLCREATESHADERPROC CreateShader = nullptr;
PFNGLSHADERSOURCEPROC ShaderSource = nullptr;
PFNGLCOMPILESHADERPROC CompileShader = nullptr;
PFNGLGETSHADERIVPROC GetShaderiv = nullptr;
PFNGLGETSHADERINFOLOGPROC GetShaderInfoLog = nullptr;
PFNGLDELETESHADERPROC DeleteShader = nullptr;
PFNGLCREATEPROGRAMPROC CreateProgram = nullptr;
PFNGLATTACHSHADERPROC AttachShader = nullptr;
PFNGLDETACHSHADERPROC DetachShader = nullptr;
PFNGLLINKPROGRAMPROC LinkProgram = nullptr;
PFNGLGETPROGRAMIVPROC GetProgramiv = nullptr;
PFNGLGETPROGRAMINFOLOGPROC GetProgramInfoLog = nullptr;
PFNGLUSEPROGRAMPROC UseProgram = nullptr;
PFNGLDELETEPROGRAMPROC DeleteProgram = nullptr;
PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation = nullptr;
PFNGLGETATTRIBLOCATIONPROC GetAttribLocation = nullptr;
PFNGLUNIFORM1IPROC Uniform1i = nullptr;
PFNGLUNIFORM1FPROC Uniform1f = nullptr;
PFNGLUNIFORM2FPROC Uniform2f = nullptr;
PFNGLUNIFORM3FPROC Uniform3f = nullptr;
PFNGLUNIFORM4FPROC Uniform4f = nullptr;
PFNGLUNIFORMMATRIX4FVPROC UniformMatrix4fv = nullptr;
PFNGLVERTEXATTRIBPOINTERPROC VertexAttribPointer = nullptr;
PFNGLENABLEVERTEXATTRIBARRAYPROC EnableVertexAttribArray = nullptr;
PFNGLDISABLEVERTEXATTRIBARRAYPROC DisableVertexAttribArray = nullptr;

PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;

} // namespace gl

GlExtensionSupport g_gl_support;

namespace {

// One pointer to fill: its GL name and where it goes. Every pointer type is
// a plain function pointer, so the slot is reached through void (*)().
struct EntryPoint {
    const char* name;
    void (**slot)();
};

template <typename Pointer> EntryPoint entry(const char* name, Pointer& pointer)
{
    return {name, reinterpret_cast<void (**)()>(&pointer)};
}

struct EntryGroup {
    const char* description;
    int major;
    int minor;
    const char* extension; // also enough on an older version; null: none
    bool* present;
    std::vector<EntryPoint> entries;
};

std::vector<EntryGroup> entry_groups()
{
    using namespace gl;
    return {
        {"framebuffer and renderbuffer objects",
         3,
         0,
         "GL_ARB_framebuffer_object",
         &g_gl_support.framebuffers,
         {entry("glGenFramebuffers", GenFramebuffers),
          entry("glDeleteFramebuffers", DeleteFramebuffers),
          entry("glBindFramebuffer", BindFramebuffer),
          entry("glFramebufferTexture2D", FramebufferTexture2D),
          entry("glFramebufferRenderbuffer", FramebufferRenderbuffer),
          entry("glCheckFramebufferStatus", CheckFramebufferStatus),
          entry("glBlitFramebuffer", BlitFramebuffer),
          entry("glGenRenderbuffers", GenRenderbuffers),
          entry("glDeleteRenderbuffers", DeleteRenderbuffers),
          entry("glBindRenderbuffer", BindRenderbuffer),
          entry("glRenderbufferStorage", RenderbufferStorage),
          entry("glRenderbufferStorageMultisample", RenderbufferStorageMultisample),
          entry("glGenerateMipmap", GenerateMipmap)}},
        {"vertex buffer objects",
         1,
         5,
         nullptr,
         &g_gl_support.buffers,
         {entry("glGenBuffers", GenBuffers), entry("glDeleteBuffers", DeleteBuffers),
          entry("glBindBuffer", BindBuffer), entry("glBufferData", BufferData),
          entry("glBufferSubData", BufferSubData), entry("glMapBuffer", MapBuffer),
          entry("glUnmapBuffer", UnmapBuffer)}},
        {"vertex array objects",
         3,
         0,
         "GL_ARB_vertex_array_object",
         &g_gl_support.vertex_arrays,
         {entry("glGenVertexArrays", GenVertexArrays),
          entry("glDeleteVertexArrays", DeleteVertexArrays),
          entry("glBindVertexArray", BindVertexArray)}},
        {"GLSL programs and shaders",
         2,
         0,
         nullptr,
         &g_gl_support.shaders,
         {entry("glCreateShader", CreateShader),
          entry("glShaderSource", ShaderSource),
          entry("glCompileShader", CompileShader),
          entry("glGetShaderiv", GetShaderiv),
          entry("glGetShaderInfoLog", GetShaderInfoLog),
          entry("glDeleteShader", DeleteShader),
          entry("glCreateProgram", CreateProgram),
          entry("glAttachShader", AttachShader),
          entry("glDetachShader", DetachShader),
          entry("glLinkProgram", LinkProgram),
          entry("glGetProgramiv", GetProgramiv),
          entry("glGetProgramInfoLog", GetProgramInfoLog),
          entry("glUseProgram", UseProgram),
          entry("glDeleteProgram", DeleteProgram),
          entry("glGetUniformLocation", GetUniformLocation),
          entry("glGetAttribLocation", GetAttribLocation),
          entry("glUniform1i", Uniform1i),
          entry("glUniform1f", Uniform1f),
          entry("glUniform2f", Uniform2f),
          entry("glUniform3f", Uniform3f),
          entry("glUniform4f", Uniform4f),
          entry("glUniformMatrix4fv", UniformMatrix4fv),
          entry("glVertexAttribPointer", VertexAttribPointer),
          entry("glEnableVertexAttribArray", EnableVertexAttribArray),
          entry("glDisableVertexAttribArray", DisableVertexAttribArray)}},
        {"multitexture",
         1,
         3,
         nullptr,
         &g_gl_support.multitexture,
         {entry("glActiveTexture", ActiveTexture)}},
    };
}

// Some drivers hand back small integers or -1 instead of null for names
// they do not know.
bool is_missing_address(void* address)
{
    const auto value = reinterpret_cast<std::intptr_t>(address);
    return value == 0 || value == 1 || value == 2 || value == 3 || value == -1;
}

bool load_group(const EntryGroup& group)
{
    std::vector<void*> addresses;
    for (const EntryPoint& point : group.entries) {
        void* address = gl_proc_address(point.name);
        if (is_missing_address(address)) {
            return false;
        }
        addresses.push_back(address);
    }
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        *group.entries[i].slot = reinterpret_cast<void (*)()>(addresses[i]);
    }
    return true;
}

void clear_group(const EntryGroup& group)
{
    for (const EntryPoint& point : group.entries) {
        *point.slot = nullptr;
    }
}

void report_missing_group(const EntryGroup& group)
{
    const std::string line = std::string("GL-ENTRY-POINTS-MISSING:[") + group.description + "];";
    std::cerr << line << std::endl;
    trace_line(line);
}

const char* gl_text(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

} // namespace

void load_gl_extensions()
{
    const char* version = gl_text(GL_VERSION);
    const char* extensions = gl_text(GL_EXTENSIONS);
    for (const EntryGroup& group : entry_groups()) {
        const bool announced =
            gl_version_at_least(version, group.major, group.minor) ||
            (group.extension != nullptr && gl_extension_listed(extensions, group.extension));
        *group.present = announced && load_group(group);
        if (!*group.present) {
            clear_group(group);
            report_missing_group(group);
        }
    }
}

bool gl_version_at_least(const char* version, int major, int minor)
{
    int found_major = 0;
    int found_minor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &found_major, &found_minor) != 2) {
        return false;
    }
    return found_major > major || (found_major == major && found_minor >= minor);
}

bool gl_extension_listed(const char* extensions, const char* name)
{
    if (extensions == nullptr || name == nullptr || *name == '\0') {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at != nullptr;
         at = std::strstr(at + 1, name)) {
        const bool starts_word = at == extensions || at[-1] == ' ';
        const bool ends_word = at[length] == ' ' || at[length] == '\0';
        if (starts_word && ends_word) {
            return true;
        }
    }
    return false;
}
