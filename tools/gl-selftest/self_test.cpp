#include "tools/gl-selftest/self_test.h"

#include "platform/local_time.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "platform/x11/gl_window.h"
#include "platform/window_callbacks.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/gl_program.h"

namespace {

WindowCallbacks g_self_test_window;

struct TestTriangle {
    bool initialised = false;
    GLuint vertex_array = 0;
    GLuint vertex_buffer = 0;
    GLuint program = 0;
    GLint position_attribute = -1;
};

TestTriangle g_triangle;

const char* const TRIANGLE_VERTEX_SHADER = "#version 120\n"
                                           "attribute vec4 position;\n"
                                           "void main() { gl_Position = position; }\n";

const char* const TRIANGLE_FRAGMENT_SHADER =
    "#version 120\n"
    "void main() { gl_FragColor = vec4(1.0, 0.75, 0.0, 1.0); }\n";

void initialise_triangle()
{
    g_triangle.initialised = true;
    trace_line("GL-PROGRAM-INITIALISATION");
    if (!g_gl_support.buffers || !g_gl_support.shaders) {
        return; // already reported by the loader; the test only clears
    }
    if (g_gl_support.vertex_arrays) {
        gl::GenVertexArrays(1, &g_triangle.vertex_array);
        gl::BindVertexArray(g_triangle.vertex_array);
    }
    const GLfloat vertices[] = {0.0f, 0.5f, 0.0f, 1.0f,   -0.5f, -0.35f,
                                0.0f, 1.0f, 0.5f, -0.35f, 0.0f,  1.0f};
    gl::GenBuffers(1, &g_triangle.vertex_buffer);
    gl::BindBuffer(GL_ARRAY_BUFFER, g_triangle.vertex_buffer);
    gl::BufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
    g_triangle.program = build_gl_program(TRIANGLE_VERTEX_SHADER, TRIANGLE_FRAGMENT_SHADER);
    if (g_triangle.program != 0) {
        g_triangle.position_attribute = gl::GetAttribLocation(g_triangle.program, "position");
    }
    if (g_triangle.position_attribute >= 0) {
        const auto attribute = static_cast<GLuint>(g_triangle.position_attribute);
        gl::VertexAttribPointer(attribute, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        gl::EnableVertexAttribArray(attribute);
    }
    if (g_gl_support.vertex_arrays) {
        gl::BindVertexArray(0);
    }
}

std::string point_text(std::int32_t a, std::int32_t b)
{
    return int_to_text(a) + "," + int_to_text(b);
}

bool trace_paint(WindowCallbacks*)
{
    gl_test_triangle();
    return true;
}

bool trace_motion(WindowCallbacks*, std::int32_t x, std::int32_t y)
{
    trace_line("MOVE:[" + point_text(x, y) + "];");
    return true;
}

bool trace_drag(WindowCallbacks*, std::int32_t x, std::int32_t y)
{
    trace_line("DRAG:[" + point_text(x, y) + "];");
    return true;
}

bool trace_button(WindowCallbacks*, std::int32_t button, std::int32_t state, std::int32_t x,
                  std::int32_t y)
{
    trace_line("BUTTON:[" + point_text(button, state) + "," + point_text(x, y) + "];");
    return true;
}

bool trace_key_down(WindowCallbacks*, std::int32_t key, std::int32_t modifiers)
{
    trace_line("KEY-DOWN:[" + point_text(key, modifiers) + "];");
    return true;
}

bool trace_key_up(WindowCallbacks*, std::int32_t key, std::int32_t modifiers)
{
    trace_line("KEY-UP:[" + point_text(key, modifiers) + "];");
    return true;
}

bool trace_resize(WindowCallbacks*, std::int32_t width, std::int32_t height)
{
    trace_line("RESIZE:[" + point_text(width, height) + "];");
    glViewport(0, 0, width, height);
    return true;
}

bool trace_drop(WindowCallbacks*, std::int32_t, std::int32_t, const std::string& text)
{
    trace_line("DROP:[" + text + "];");
    return true;
}

// The slots that carry no values trace one fixed text each.
constexpr char k_close[] = "CLOSE;";
constexpr char k_enter[] = "ENTER;";
constexpr char k_exit[] = "EXIT;";
constexpr char k_focus[] = "FOCUS;";
constexpr char k_unfocus[] = "UNFOCUS;";

template <const char* Text> bool trace_plain(WindowCallbacks*)
{
    trace_line(Text);
    return true;
}

void install_tracing_slots(WindowCallbacks& record)
{
    record.on_paint = trace_paint;
    record.on_motion = trace_motion;
    record.on_drag = trace_drag;
    record.on_mouse_button = trace_button;
    record.on_key_down = trace_key_down;
    record.on_key_up = trace_key_up;
    record.on_resize = trace_resize;
    record.on_drop = trace_drop;
    record.on_close = trace_plain<k_close>;
    record.on_enter = trace_plain<k_enter>;
    record.on_exit = trace_plain<k_exit>;
    record.on_focus = trace_plain<k_focus>;
    record.on_unfocus = trace_plain<k_unfocus>;
}

} // namespace

void platform_self_test(int argc, char** argv)
{
    g_triangle = TestTriangle{}; // GL names of an earlier window's context are gone
    g_self_test_window = construct_window_record(360, 360, "ZARNO:Windows-Win32");
    g_self_test_window.argc = argc;
    g_self_test_window.argv = argv;
    g_self_test_window.clear_colour = 0xFF405060;
    install_tracing_slots(g_self_test_window);
    register_window(&g_self_test_window, 0);
    start_window(&g_self_test_window);
    trace_line("TIME:" + local_time_string());
    trace_line("DATE:" + local_date_string());
    trace_line("DUAL:" + local_datetime_string());
    trace_line("CLIPBOARD:" + get_clipboard_text());
}

void gl_test_triangle()
{
    if (!g_triangle.initialised) {
        initialise_triangle();
    }
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (g_triangle.position_attribute >= 0) {
        gl::UseProgram(g_triangle.program);
        if (g_gl_support.vertex_arrays) {
            gl::BindVertexArray(g_triangle.vertex_array);
        }
        glDrawArrays(GL_TRIANGLES, 0, 3);
        if (g_gl_support.vertex_arrays) {
            gl::BindVertexArray(0);
        }
        gl::UseProgram(0);
    }
    glFlush();
}
