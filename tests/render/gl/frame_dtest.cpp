// The frame renderer in a real GL context: the queued deletions and the
// background.

#include "tests/platform/x11/display_fixture.h"

#include "lumo/root.h"
#include "platform/services.h"
#include "render/gl/frame.h"

namespace {

using IsName = GLboolean (*)(GLuint name);

class Frame : public GlWindowTest<64, 48> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(g_gl_support.buffers && g_gl_support.vertex_arrays);
    }

    GlDeletionLists lists() { return {vertex_arrays_, buffers_, index_buffers_}; }

    static IsName entry(const char* name)
    {
        return reinterpret_cast<IsName>(gl_proc_address(name));
    }

    lumo::UI root_;
    std::vector<std::uint32_t> vertex_arrays_, buffers_, index_buffers_;
};

} // namespace

TEST_F(Frame, QueuedNamesAreDeletedAtTheStartOfTheFrameAndTheListsEmptied)
{
    GLuint buffers[2] = {};
    gl::GenBuffers(2, buffers);
    GLuint vertex_array = 0;
    gl::GenVertexArrays(1, &vertex_array);
    // Names exist once bound.
    gl::BindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    gl::BindVertexArray(vertex_array);
    gl::BindVertexArray(0);
    const IsName is_buffer = entry("glIsBuffer");
    const IsName is_vertex_array = entry("glIsVertexArray");
    ASSERT_TRUE(is_buffer(buffers[0]) && is_buffer(buffers[1]) && is_vertex_array(vertex_array));

    // A mesh that never reached the GPU queues zeros; they are skipped.
    buffers_ = {buffers[0], 0};
    index_buffers_ = {buffers[1]};
    vertex_arrays_ = {vertex_array, 0};
    render_frame(root_, lists());

    EXPECT_FALSE(is_buffer(buffers[0]) || is_buffer(buffers[1]) || is_vertex_array(vertex_array));
    EXPECT_TRUE(buffers_.empty() && index_buffers_.empty() && vertex_arrays_.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Frame, TheBackgroundIsTheClearColour)
{
    set_clear_colour(0.0, 0.0, 1.0, 1.0);
    render_frame(root_, lists());
    std::uint8_t rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(32, 24, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ((std::array<int, 2>{rgba[0], rgba[2]}), (std::array<int, 2>{0, 255})) << "blue";
    set_clear_colour(0.0, 0.0, 0.0, 1.0);
}
