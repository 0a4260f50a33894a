// The real plim-ei on a private X server with the stand-in kernel and a
// temporary workspace holding the three examples:
// - StartToInterface: milliseconds from the start of the process until the
//   start-up pane has gone and the 3-D view shows, less the fixed start-up
//   animation (5 s) and less the kernel's own run time (from the stand-in's
//   run log);
// - IdleCpu: the share of one core the program takes over 10 s with the
//   examples open and nothing moving, from the scheduler's run time of
//   its threads.
// - MemoryAfterOpeningTorus: the resident growth from opening the stand-in's
//   1M-triangle torus, beside its interop file and the renderer's buffers.
// Each runs once; the figures are counters of the report.

#include <benchmark/benchmark.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "kernel/interop_reader.h"
#include "render/mesh_geometry.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Logo, label fades, hold, logo back and the start-up pane's fade-out.
constexpr double STARTUP_TIMELINE_MS = 5000.0;
constexpr int IDLE_SECONDS = 10;
// An unusual display number, so no shared server is disturbed;
// PLIM_BENCH_DISPLAY names another where several runs share a machine.
const std::string DISPLAY_NAME =
    std::getenv("PLIM_BENCH_DISPLAY") != nullptr ? std::getenv("PLIM_BENCH_DISPLAY") : ":91";

void pause_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

pid_t spawn(const std::string& command, const std::string& directory)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(directory.c_str()) == 0)
            execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void end_process(pid_t& pid)
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// CPU nanoseconds a process has run, summed over its threads (the
// scheduler's own count: clock ticks are too coarse for 1% of 10 s).
double cpu_nanoseconds(pid_t pid)
{
    double total = 0.0;
    std::error_code ignored;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ignored)) {
        std::ifstream in(task.path() / "schedstat");
        double running = 0.0;
        if (in >> running) total += running;
    }
    return total;
}

// Sums end_ms - start_ms over the stand-in's run log.
double kernel_ms(const fs::path& log)
{
    std::ifstream in(log);
    std::string line;
    double total = 0.0;
    while (std::getline(in, line)) {
        long long start = 0, end = 0;
        if (std::sscanf(line.c_str(), "pid=%*d start_ms=%lld end_ms=%lld", &start, &end) == 2)
            total += double(end - start);
    }
    return total;
}

// One X server, one program, one workspace for both figures.
struct Session {
    pid_t server = -1;
    pid_t program = -1;
    Display* display = nullptr;
    Window window = 0;
    fs::path workspace;
    double start_ms = 0.0;

    ~Session()
    {
        if (display != nullptr) XCloseDisplay(display);
        end_process(program);
        end_process(server);
        std::error_code ignored;
        if (!workspace.empty()) fs::remove_all(workspace, ignored);
    }

    bool open_server()
    {
        server = spawn("Xvfb " + DISPLAY_NAME +
                           " -screen 0 1280x1024x24 -noreset >/dev/null 2>&1",
                       "/");
        for (int i = 0; i < 100 && display == nullptr; ++i, pause_ms(50))
            display = XOpenDisplay(DISPLAY_NAME.c_str());
        return display != nullptr;
    }

    // The three examples, or the one script `only` when it is given.
    bool make_workspace(const std::string& only_name = "", const std::string& only_text = "")
    {
        std::string pattern = "/tmp/plim-bench-ws-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) return false;
        workspace = pattern;
        if (!only_name.empty()) {
            std::ofstream(workspace / only_name) << only_text;
            return true;
        }
        for (const char* name : {"simple.plim", "parameters.plim", "parallel.plim"})
            fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / name, workspace / name);
        return true;
    }

    Window find_window() const
    {
        Window root = 0, parent = 0, found = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, children[i], pid_atom, 0, 1, False, XA_CARDINAL, &type,
                                   &format, &items, &after, &data) == Success &&
                items == 1 && *reinterpret_cast<unsigned long*>(data) == unsigned(program))
                found = children[i];
            XFree(data);
        }
        XFree(children);
        return found;
    }

    bool viewable() const
    {
        XWindowAttributes attributes = {};
        return XGetWindowAttributes(display, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    // 0xRRGGBB at (x, y) of the window.
    unsigned long pixel(int x, int y) const
    {
        XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return 0;
        const unsigned long value = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return value & 0xFFFFFF;
    }

    // The Light theme's 3-D background beside the logo's place: the
    // start-up pane has faded away completely.
    bool view_shown() const
    {
        const unsigned long value = pixel(650, 300);
        // (0.80, 0.82, 0.85) exactly: while the pane fades it is lighter.
        const int r = int(value >> 16 & 0xFF), g = int(value >> 8 & 0xFF), b = int(value & 0xFF);
        return std::abs(r - 204) <= 1 && std::abs(g - 209) <= 1 && std::abs(b - 217) <= 1;
    }

    // The navigator covers the view with a light pane.
    bool navigator_shown() const
    {
        const unsigned long value = pixel(400, 250);
        return (value >> 16 & 0xFF) > 230 && (value >> 8 & 0xFF) > 230 && (value & 0xFF) > 230;
    }

    // Starts the program and waits for the interface; false after 60 s.
    bool start_program()
    {
        const fs::path kernel = STANDIN_KERNEL_PATH;
        const std::string command = "env DISPLAY=" + DISPLAY_NAME +
                                    " PLIM_STANDIN_LOG='" + (workspace / "kernel.log").string() +
                                    "' '" + PLIM_EI_PATH + "' ./plim '" + workspace.string() +
                                    "' >/dev/null 2>&1";
        const Clock::time_point begin = Clock::now();
        program = spawn(command, kernel.parent_path().string());
        for (int i = 0; i < 6000; ++i, pause_ms(10)) {
            if (window == 0 && (window = find_window()) == 0) continue;
            if (viewable() && view_shown()) {
                start_ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
                return true;
            }
        }
        return false;
    }

    void key(KeySym symbol, KeySym modifier = NoSymbol)
    {
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
        if (modifier != NoSymbol)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), True, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), True, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), False, CurrentTime);
        if (modifier != NoSymbol)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), False, CurrentTime);
        XSync(display, False);
    }

    // Ctrl+O shows the navigator, Ctrl+A selects the three scripts, Enter
    // opens them; a few seconds let the assembly finish.
    void open_examples()
    {
        // The first frames after the fade may still belong to start-up,
        // which ignores Ctrl+O: pressed again until the navigator shows.
        for (int i = 0; i < 20 && !navigator_shown(); ++i) {
            key(XK_o, XK_Control_L);
            pause_ms(500);
        }
        key(XK_a, XK_Control_L);
        key(XK_Return);
        pause_ms(4000);
    }
};

Session* g_session = nullptr;

double resident_bytes(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return 1024.0 * std::stod(line.substr(6));
    return 0.0;
}

// Polls the resident size until it has not moved by more than a megabyte
// for two seconds (at most a minute); returns it.
double settled_resident_bytes(pid_t pid)
{
    double last = resident_bytes(pid);
    for (int still = 0, polls = 0; still < 20 && polls < 600; ++polls) {
        pause_ms(100);
        const double now = resident_bytes(pid);
        still = std::abs(now - last) < 1e6 ? still + 1 : 0;
        last = now;
    }
    return last;
}

// The largest file under `directory`: the interop file the kernel wrote.
fs::path largest_file(const fs::path& directory)
{
    fs::path largest;
    std::uintmax_t most = 0;
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(directory, ignored)) {
        if (entry.is_regular_file(ignored) && entry.file_size(ignored) > most) {
            most = entry.file_size(ignored);
            largest = entry.path();
        }
    }
    return largest;
}

// The bytes the renderer's buffers of the file's mesh hold: 28 per vertex,
// 4 per triangle and edge index, the edge lists as the upload completes them.
double gl_buffer_bytes(const fs::path& interop)
{
    MeshList meshes = read_interop_file(interop.string());
    double bytes = 0.0;
    for (Mesh* mesh : meshes) {
        complete_edge_lists(*mesh);
        bytes += 28.0 * mesh_vertex_count(*mesh) +
                 4.0 * double(mesh->triangle_indices->size() + mesh->edge_pairs_1->size() +
                              mesh->edge_pairs_2->size() + mesh->edge_pairs_3->size());
    }
    release_meshes(meshes);
    return bytes;
}

// The program's resident growth from opening the stand-in's 1M-triangle torus
// (assembled, read and drawn), against the interop file's size plus the
// renderer's buffers: the decoded arrays and the GL driver's copy.
void MemoryAfterOpeningTorus(benchmark::State& state)
{
    Session session;
    if (!session.open_server() ||
        !session.make_workspace("torus.plim", "return torus(1, 0.3, 1024, 512);\n") ||
        !session.start_program()) {
        state.SkipWithError("no X server or the interface never showed");
        return;
    }
    double growth = 0.0;
    for (auto _ : state) {
        const double before = settled_resident_bytes(session.program);
        session.open_examples();
        growth = settled_resident_bytes(session.program) - before;
    }
    const fs::path interop = largest_file(session.workspace);
    const double file = interop.empty() ? 0.0 : double(fs::file_size(interop));
    const double gl = interop.empty() ? 0.0 : gl_buffer_bytes(interop);
    state.counters["growth_MB"] = growth / 1e6;
    state.counters["file_MB"] = file / 1e6;
    state.counters["gl_buffer_MB"] = gl / 1e6;
    if (file + gl > 0.0) state.counters["growth_x_file_plus_gl"] = growth / (file + gl);
}
BENCHMARK(MemoryAfterOpeningTorus)->Iterations(1)->Unit(benchmark::kMillisecond);

void StartToInterface(benchmark::State& state)
{
    static Session session;
    for (auto _ : state) {
        if (!session.open_server() || !session.make_workspace() || !session.start_program()) {
            state.SkipWithError("no X server or the interface never showed");
            return;
        }
    }
    g_session = &session;
    const double kernel = kernel_ms(session.workspace / "kernel.log");
    state.counters["total_ms"] = session.start_ms;
    state.counters["kernel_ms"] = kernel;
    state.counters["beyond_timeline_ms"] = session.start_ms - STARTUP_TIMELINE_MS - kernel;
}
BENCHMARK(StartToInterface)->Iterations(1)->Unit(benchmark::kMillisecond);

void IdleCpu(benchmark::State& state)
{
    if (g_session == nullptr) {
        state.SkipWithError("the program did not start");
        return;
    }
    g_session->open_examples();
    double spent = 0.0;
    for (auto _ : state) {
        const double before = cpu_nanoseconds(g_session->program);
        pause_ms(IDLE_SECONDS * 1000);
        spent = cpu_nanoseconds(g_session->program) - before;
    }
    state.counters["cpu_percent_of_core"] = 100.0 * spent / 1e9 / IDLE_SECONDS;
}
BENCHMARK(IdleCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
