#include "render/gl/offscreen_target.h"

#include "render/gl/gl_extensions.h"

namespace {

bool make_target(OffscreenTarget& target, int width, int height)
{
    gl::GenFramebuffers(1, &target.framebuffer);
    gl::GenRenderbuffers(1, &target.colour);
    gl::GenRenderbuffers(1, &target.depth);
    gl::BindRenderbuffer(GL_RENDERBUFFER, target.colour);
    gl::RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl::BindRenderbuffer(GL_RENDERBUFFER, target.depth);
    gl::RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl::BindRenderbuffer(GL_RENDERBUFFER, 0);
    gl::BindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    gl::FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                target.colour);
    gl::FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target.depth);
    target.width = width;
    target.height = height;
    if (gl::CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
    gl::BindFramebuffer(GL_FRAMEBUFFER, 0);
    release_offscreen_target(target);
    return false;
}

} // namespace

bool bind_offscreen_target(OffscreenTarget& target, int width, int height)
{
    if (!g_gl_support.framebuffers || width <= 0 || height <= 0) return false;
    if (target.framebuffer != 0 && target.width == width && target.height == height) {
        gl::BindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        return true;
    }
    release_offscreen_target(target);
    return make_target(target, width, height);
}

void unbind_offscreen_target()
{
    if (gl::BindFramebuffer != nullptr) gl::BindFramebuffer(GL_FRAMEBUFFER, 0);
}

std::vector<std::uint8_t> read_rgba_pixels(int x, int y, int width, int height)
{
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void release_offscreen_target(OffscreenTarget& target)
{
    if (target.framebuffer != 0) gl::DeleteFramebuffers(1, &target.framebuffer);
    const GLuint renderbuffers[2] = {target.colour, target.depth};
    if (target.colour != 0 || target.depth != 0) gl::DeleteRenderbuffers(2, renderbuffers);
    target = OffscreenTarget{};
}
