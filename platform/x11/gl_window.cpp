#include "platform/x11/gl_window.h"

#include "platform/services.h"
#include "platform/trace.h"
#include "platform/window_callbacks.h"
#include "platform/x11/x11_state.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <iostream>
#include <vector>

X11Window g_x11;

bool atom_list_holds(Window window, Atom property, std::initializer_list<Atom> wanted)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(g_x11.display, window, property, 0, 4096, False,
                                          XA_ATOM, &type, &format, &count, &remaining, &data);
    bool found = false;
    if (status == Success && data != nullptr && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data); // Xlib returns longs
        for (unsigned long i = 0; i < count && !found; ++i)
            found = std::find(wanted.begin(), wanted.end(), atoms[i]) != wanted.end();
    }
    if (data != nullptr) XFree(data);
    return found;
}
std::uint8_t g_running = 1;
std::uint8_t g_window_started = 0;
std::uint8_t g_repaint_requested = 1;
ClientSize g_client_size = {720, 480};

namespace {

std::uint8_t g_first_paint_done = 0;

// Without a message box, set-up failures go where a user or a log sees them.
void report_setup_failure(const std::string& text)
{
    const std::string line = "Error: " + text;
    std::cerr << line << std::endl;
    trace_line(line);
}

// Xlib's default handler ends the process; a stale window id sent by a
// drag source must not take the inspector down, so errors are only traced.
int trace_x_error(Display* display, XErrorEvent* error)
{
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    trace_line(std::string("X-ERROR: ") + text);
    return 0;
}

void intern_atoms(Display* display, X11Atoms& atoms)
{
    const auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
    atoms.wm_protocols = atom("WM_PROTOCOLS");
    atoms.wm_delete_window = atom("WM_DELETE_WINDOW");
    atoms.net_wm_name = atom("_NET_WM_NAME");
    atoms.net_wm_pid = atom("_NET_WM_PID");
    atoms.net_wm_icon = atom("_NET_WM_ICON");
    atoms.net_wm_state = atom("_NET_WM_STATE");
    atoms.net_wm_state_fullscreen = atom("_NET_WM_STATE_FULLSCREEN");
    atoms.net_wm_state_maximized_vert = atom("_NET_WM_STATE_MAXIMIZED_VERT");
    atoms.net_wm_state_maximized_horz = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    atoms.utf8_string = atom("UTF8_STRING");
    atoms.xdnd_aware = atom("XdndAware");
    atoms.xdnd_enter = atom("XdndEnter");
    atoms.xdnd_position = atom("XdndPosition");
    atoms.xdnd_status = atom("XdndStatus");
    atoms.xdnd_leave = atom("XdndLeave");
    atoms.xdnd_drop = atom("XdndDrop");
    atoms.xdnd_finished = atom("XdndFinished");
    atoms.xdnd_selection = atom("XdndSelection");
    atoms.xdnd_type_list = atom("XdndTypeList");
    atoms.xdnd_action_copy = atom("XdndActionCopy");
    atoms.text_uri_list = atom("text/uri-list");
    atoms.drop_property = atom("PLIM_DROPPED_URI_LIST");
}

// The renderer needs a depth buffer; 24 bits where the server has them.
XVisualInfo* choose_visual(Display* display)
{
    for (int depth_bits : {24, 16}) {
        int attributes[] = {
            GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
            8,        GLX_DEPTH_SIZE,   depth_bits,   None};
        if (XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes)) {
            return visual;
        }
    }
    return nullptr;
}

// Window managers group and label windows by their class, and find the
// process behind a window by its pid.
void set_title_and_class(const std::string& title)
{
    XStoreName(g_x11.display, g_x11.window, title.c_str());
    char name[] = "plim-ei";
    char class_name[] = "PLIM-EI";
    XClassHint class_hint = {name, class_name};
    XSetClassHint(g_x11.display, g_x11.window, &class_hint);
    XChangeProperty(g_x11.display, g_x11.window, g_x11.atoms.net_wm_name, g_x11.atoms.utf8_string,
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(g_x11.display, g_x11.window, g_x11.atoms.net_wm_pid, XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

void set_size_hints(std::int32_t width, std::int32_t height)
{
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PPosition | PSize | PMinSize;
    hints->width = width;
    hints->height = height;
    hints->min_width = static_cast<int>(MIN_CLIENT_WIDTH);
    hints->min_height = static_cast<int>(MIN_CLIENT_HEIGHT);
    XSetWMNormalHints(g_x11.display, g_x11.window, hints);
    XFree(hints);
}

bool create_window_on(XVisualInfo* visual, const std::string& title, std::int32_t width,
                      std::int32_t height)
{
    const Window root = RootWindow(g_x11.display, visual->screen);
    g_x11.colormap = XCreateColormap(g_x11.display, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes = {};
    attributes.colormap = g_x11.colormap;
    attributes.background_pixmap = None; // GL paints the whole client area
    attributes.border_pixel = 0;
    attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | FocusChangeMask;
    g_x11.window =
        XCreateWindow(g_x11.display, root, 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask, &attributes);
    if (g_x11.window == 0) {
        report_setup_failure("CreateWindow() failed:  Cannot create a window.");
        return false;
    }
    set_title_and_class(title);
    set_size_hints(width, height);
    XSetWMProtocols(g_x11.display, g_x11.window, &g_x11.atoms.wm_delete_window, 1);
    announce_drop_target();
    return true;
}

bool create_context_on(XVisualInfo* visual)
{
    g_x11.context = glXCreateContext(g_x11.display, visual, nullptr, True);
    if (g_x11.context == nullptr) {
        report_setup_failure("glXCreateContext() failed:  Cannot create an OpenGL context.");
        return false;
    }
    if (!glXMakeCurrent(g_x11.display, g_x11.window, g_x11.context)) {
        report_setup_failure("glXMakeCurrent() failed:  Cannot make the OpenGL context current.");
        return false;
    }
    return true;
}

// RGBA8 rows into the ARGB words of _NET_WM_ICON (one long per pixel, as
// Xlib wants 32-bit properties), after the width and height.
std::vector<unsigned long> icon_property(const WindowCallbacks& record)
{
    std::vector<unsigned long> data;
    data.reserve(2 + static_cast<std::size_t>(record.icon_width) * record.icon_height);
    data.push_back(static_cast<unsigned long>(record.icon_width));
    data.push_back(static_cast<unsigned long>(record.icon_height));
    for (std::int32_t y = 0; y < record.icon_height; ++y) {
        const std::uint8_t* row =
            record.icon_pixels + static_cast<std::size_t>(y) * record.icon_stride * 4;
        for (std::int32_t x = 0; x < record.icon_width; ++x) {
            const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 4;
            data.push_back(static_cast<unsigned long>(pixel[3]) << 24 |
                           static_cast<unsigned long>(pixel[0]) << 16 |
                           static_cast<unsigned long>(pixel[1]) << 8 | pixel[2]);
        }
    }
    return data;
}

// The window manager keeps its own copy, so the caller's pixels may be freed
// once the window has started.
void set_window_icon(const WindowCallbacks& record)
{
    const bool has_icon = record.icon_pixels != nullptr && record.icon_width > 0 &&
                          record.icon_height > 0 && record.icon_stride >= record.icon_width;
    if (!has_icon || g_x11.window == 0) {
        return;
    }
    const std::vector<unsigned long> data = icon_property(record);
    XChangeProperty(g_x11.display, g_x11.window, g_x11.atoms.net_wm_icon, XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
    XFlush(g_x11.display);
}

void set_default_gl_state()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glPointSize(2.0f);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_NORMALIZE);
}

// GL_LIGHTING itself is left to the renderer.
void set_default_lighting()
{
    const GLfloat model_ambient[] = {0.25f, 0.25f, 0.25f, 1.0f};
    const GLfloat ambient[] = {0.05f, 0.05f, 0.05f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[] = {0.05f, 0.05f, 0.05f, 1.0f};
    const GLfloat position[] = {5.0f, 7.5f, 10.0f, 1.0f};
    const GLfloat material_specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, model_ambient);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glMaterialfv(GL_FRONT, GL_SPECULAR, material_specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 5.0f);
    glEnable(GL_LIGHT0);
}

} // namespace

bool create_gl_window(const std::string& title, std::int32_t width, std::int32_t height)
{
    XSetErrorHandler(trace_x_error);
    g_x11.display = XOpenDisplay(nullptr);
    if (g_x11.display == nullptr) {
        report_setup_failure(
            "XOpenDisplay() failed:  Cannot open the X display (is DISPLAY set?).");
        return false;
    }
    intern_atoms(g_x11.display, g_x11.atoms);
    XVisualInfo* visual = choose_visual(g_x11.display);
    if (visual == nullptr) {
        report_setup_failure("ChoosePixelFormat() failed:  Cannot find a suitable pixel format.");
        destroy_gl_window();
        return false;
    }
    const bool made = create_window_on(visual, title, width, height) && create_context_on(visual);
    XFree(visual);
    if (!made) {
        destroy_gl_window();
        return false;
    }
    // Held keys then repeat as presses only, which the key path passes on.
    XkbSetDetectableAutoRepeat(g_x11.display, True, nullptr);
    g_client_size = {width, height};
    return true;
}

void show_gl_window()
{
    XMapWindow(g_x11.display, g_x11.window);
    XSync(g_x11.display, False);
    XWindowAttributes attributes = {};
    if (XGetWindowAttributes(g_x11.display, g_x11.window, &attributes)) {
        g_client_size = {attributes.width, attributes.height};
    }
}

void destroy_gl_window()
{
    if (g_x11.display == nullptr) {
        return;
    }
    if (g_x11.context != nullptr) {
        glXMakeCurrent(g_x11.display, None, nullptr);
        glXDestroyContext(g_x11.display, g_x11.context);
    }
    if (g_x11.window != 0) {
        XDestroyWindow(g_x11.display, g_x11.window);
    }
    if (g_x11.colormap != 0) {
        XFreeColormap(g_x11.display, g_x11.colormap);
    }
    XCloseDisplay(g_x11.display);
    g_x11 = X11Window{};
    // A later window has a new context that needs the default state again.
    g_window_started = 0;
    g_first_paint_done = 0;
    reset_input_state();
}

unsigned long gl_window_id()
{
    return g_x11.window;
}

void* gl_proc_address(const char* name)
{
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

void start_window(WindowCallbacks* record)
{
    std::memset(g_key_states, 0, sizeof g_key_states);
    std::memset(g_arrow_key_states, 0, sizeof g_arrow_key_states);
    const std::uint32_t argb = record->clear_colour;
    set_clear_colour(((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                     (argb & 0xFF) / 255.0, ((argb >> 24) & 0xFF) / 255.0);
    set_window_icon(*record);
    g_window_started = 1;
    if (record->on_start != nullptr) {
        record->on_start(record);
    }
}

void paint_window()
{
    if (g_window_started) {
        if (!g_first_paint_done) {
            g_first_paint_done = 1;
            set_default_gl_state();
            set_default_lighting();
            emit_event(&WindowCallbacks::on_init);
        }
        emit_event(&WindowCallbacks::on_paint);
    }
    if (g_x11.display != nullptr && g_x11.window != 0) {
        glXSwapBuffers(g_x11.display, g_x11.window);
    }
}
