#pragma once

// GL entry points beyond OpenGL 1.1, fetched at run time into process-wide
// pointers: gl::GenBuffers(...) instead of glGenBuffers(...). The namespace
// keeps them apart from the symbols the GL library itself exports.

#include <GL/gl.h>
#include <GL/glext.h>

namespace gl {

// Framebuffer and renderbuffer objects (GL 3.0 or ARB_framebuffer_object).
extern PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
extern PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers;
extern PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
extern PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D;
extern PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
extern PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus;
extern PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer;
extern PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
extern PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers;
extern PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
extern PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage;
extern PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC RenderbufferStorageMultisample;
extern PFNGLGENERATEMIPMAPPROC GenerateMipmap;

// Buffer objects (GL 1.5).
extern PFNGLGENBUFFERSPROC GenBuffers;
extern PFNGLDELETEBUFFERSPROC DeleteBuffers;
extern PFNGLBINDBUFFERPROC BindBuffer;
extern PFNGLBUFFERDATAPROC BufferData;
extern PFNGLBUFFERSUBDATAPROC BufferSubData;
extern PFNGLMAPBUFFERPROC MapBuffer;
extern PFNGLUNMAPBUFFERPROC UnmapBuffer;

// Vertex array objects (GL 3.0 or ARB_vertex_array_object).
extern PFNGLGENVERTEXARRAYSPROC GenVertexArrays;
extern PFNGLDELETEVERTEXARRAYSPROC DeleteVertexArrays;
extern PFNGLBINDVERTEXARRAYPROC BindVertexArray;

// GLSL programs, shaders and generic vertex attributes (GL 2.0).
extern PFNGLCREATESHADERPROC CreateShader;
extern PFNGLSHADERSOURCEPROC ShaderSource;
extern PFNGLCOMPILESHADERPROC CompileShader;
extern PFNGLGETSHADERIVPROC GetShaderiv;
extern PFNGLGETSHADERINFOLOGPROC GetShaderInfoLog;
extern PFNGLDELETESHADERPROC DeleteShader;
extern PFNGLCREATEPROGRAMPROC CreateProgram;
extern PFNGLATTACHSHADERPROC AttachShader;
extern PFNGLDETACHSHADERPROC DetachShader;
extern PFNGLLINKPROGRAMPROC LinkProgram;
extern PFNGLGETPROGRAMIVPROC GetProgramiv;
extern PFNGLGETPROGRAMINFOLOGPROC GetProgramInfoLog;
extern PFNGLUSEPROGRAMPROC UseProgram;
extern PFNGLDELETEPROGRAMPROC DeleteProgram;
extern PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation;
extern PFNGLGETATTRIBLOCATIONPROC GetAttribLocation;
extern PFNGLUNIFORM1IPROC Uniform1i;
extern PFNGLUNIFORM1FPROC Uniform1f;
extern PFNGLUNIFORM2FPROC Uniform2f;
extern PFNGLUNIFORM3FPROC Uniform3f;
extern PFNGLUNIFORM4FPROC Uniform4f;
extern PFNGLUNIFORMMATRIX4FVPROC UniformMatrix4fv;
extern PFNGLVERTEXATTRIBPOINTERPROC VertexAttribPointer;
extern PFNGLENABLEVERTEXATTRIBARRAYPROC EnableVertexAttribArray;
extern PFNGLDISABLEVERTEXATTRIBARRAYPROC DisableVertexAttribArray;

// Multitexture (GL 1.3).
extern PFNGLACTIVETEXTUREPROC ActiveTexture;

} // namespace gl

// Which groups load_gl_extensions found; the pointers of a missing group
// stay null.
struct GlExtensionSupport {
    bool framebuffers = false;
    bool buffers = false;
    bool vertex_arrays = false;
    bool shaders = false;
    bool multitexture = false;
};

extern GlExtensionSupport g_gl_support;

// Fills the pointers for the current GL context. The driver's answer to a
// name proves nothing (Mesa answers every name), so a group counts as
// present only when the context's version or extension list says so and
// every one of its entry points resolves. A missing group is reported on
// standard error and the trace; loading goes on.
void load_gl_extensions();

// True when a GL_VERSION text ("4.5 (Compatibility Profile) Mesa 22.3.6")
// names at least major.minor.
bool gl_version_at_least(const char* version, int major, int minor);

// True when the space-separated GL_EXTENSIONS text lists `name` as a whole word.
bool gl_extension_listed(const char* extensions, const char* name);
