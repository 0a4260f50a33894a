// The console side panel on a kernel channel holding the capture's limit of
// 16 MiB of output, beside the same with an empty channel: opening the
// panel, choosing the KERNEL tab after SCRIPT, and moving the view to the
// middle of the channel, each followed by what a frame does with the widgets
// (lay out, build the draw list). The two sides run in turns, round after
// round. Beside the times stand the peak memory each step adds, the quads
// its frame makes (the GL side converts each quad once more) and the memory
// the channel's own table holds.
//
// Peak memory: before each timed step the process's high-water mark is
// reset to its present size (writing 5 to /proc/self/clear_refs), so the
// mark read after the step, less the size before it, is what the step
// added at its peak, whatever came before in the run. malloc is held to
// mapping every block above 128 KiB and unmapping it when it is freed (its
// default until a freed mapped block raises that threshold): a freed block
// that malloc kept would hide the peak of a later step that reuses it.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/frame/input_handlers.h"
#include "app/frame/interface_construction.h"
#include "bench/common/paired_runs.h"
#include "lumo/draw_list.h"
#include "model/console_state.h"
#include "panels/console_channels.h"
#include "shell/state_setters.h"
#include "state/application.h"

namespace {

constexpr std::size_t kChannelBytes = std::size_t{16} << 20;

// Lines of the kind a kernel prints while it assembles, up to `bytes`, then
// the line the capture closes a cut output with.
std::string kernel_output(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 128);
    char line[160];
    for (int i = 0; text.size() < bytes; ++i) {
        const int length =
            i % 5 == 4 ? std::snprintf(line, sizeof line,
                                       "  [%d] block %d: %d vertices, %d ngons, "
                                       "%d triangles written\n",
                                       i % 8, i, 2048 + i % 977, 1024 + i % 513, 2048 + i % 1026)
                       : std::snprintf(line, sizeof line,
                                       "  [%d] eval op %d: torus(1, 0.3, 64, 32).ty(%d) -> %d "
                                       "vertices (%.3f ms)\n",
                                       i % 8, i, i % 50, 2048 + i % 977, (i % 97) / 7.0);
        text.append(line, static_cast<std::size_t>(length));
    }
    text.resize(bytes);
    text += "\nOUTPUT-TRUNCATED: 4194304 bytes of standard output dropped\n";
    return text;
}

// The interface as a person finds it after the splash, at the start size.
Application& console_application()
{
    if (g_app != nullptr) destroy_application();
    Application& app = create_application();
    build_application_ui(app);
    install_application_handlers(app);
    app.startup_pane.visible = false;
    if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
    app.startup_finished = 1;
    app.root.dispatch_aux_event(lumo::kAuxResize, 720, 480);
    return app;
}

// What a frame does with the widgets; returns the quads it made.
std::size_t paint(Application& app)
{
    app.root.layout();
    lumo::DrawList list;
    lumo::build_draw_list(app.root, list);
    return list.quads.size();
}

long status_kb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

bool reset_peak()
{
    std::ofstream clear_refs("/proc/self/clear_refs");
    clear_refs << "5";
    clear_refs.flush();
    return clear_refs.good() && status_kb("VmHWM") <= status_kb("VmRSS") + 1024;
}

enum Step { kOpen, kSwitch, kScroll };

// The panel's state before the step, untimed: the channel written as a
// kernel run writes it, the panel closed or open on the tab the step leaves.
void prepare(Application& app, Step step, const std::string& output)
{
    console_show_kernel_trace(app, output);
    const bool open = app.view_settings.open_side_panel == MENU_TREE_CONSOLE;
    if (open == (step == kOpen)) select_side_panel(app, open ? -1 : MENU_TREE_CONSOLE);
    select_console_channel(app, step == kSwitch ? CHANNEL_SCRIPT : CHANNEL_KERNEL);
    paint(app);
}

std::size_t run_step(Application& app, Step step)
{
    if (step == kOpen) select_side_panel(app, MENU_TREE_CONSOLE);
    if (step == kSwitch) select_console_channel(app, CHANNEL_KERNEL);
    if (step == kScroll) app.console.channel_scroll.fraction_y = 0.5;
    return paint(app);
}

// The kernel channel's table as it is held: every entry's string and the
// text of those too long to live inside it.
double channel_mb(const Application& app)
{
    std::size_t bytes = 0;
    for (const std::string& line : app.current_console->channel_lines[CHANNEL_KERNEL])
        bytes +=
            sizeof line + (line.capacity() > std::string().capacity() ? line.capacity() + 1 : 0);
    return static_cast<double>(bytes) / (1 << 20);
}

struct Side {
    std::vector<Spent> times;
    std::vector<double> peak_mb;
    std::size_t quads = 0;
    double channel_mb = 0.0;
};

void measure(Application& app, Step step, const std::string& output, Side& side, bool& peaks)
{
    prepare(app, step, output);
    peaks = reset_peak() && peaks;
    const long before_kb = status_kb("VmRSS");
    side.times.push_back(spend([&] { side.quads = run_step(app, step); }));
    side.peak_mb.push_back((status_kb("VmHWM") - before_kb) / 1024.0);
    side.channel_mb = channel_mb(app);
}

// Argument: 0 opening the panel, 1 choosing the KERNEL tab, 2 scrolling.
void BM_ConsoleOnFullChannelVsEmpty(benchmark::State& state)
{
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const auto step = static_cast<Step>(state.range(0));
    const std::string full = kernel_output(kChannelBytes);
    Application& app = console_application();
    for (auto _ : state) {
        Side filled, empty;
        bool peaks = true;
        for (int round = 0; round < kPairRounds; ++round) {
            measure(app, step, full, filled, peaks);
            measure(app, step, std::string(), empty, peaks);
        }
        report_pair(state, {filled.times, empty.times}, "full", "empty");
        if (!peaks) return state.SkipWithError("the peak memory mark cannot be reset here");
        state.counters["full_peak_MB"] = median_of(filled.peak_mb);
        state.counters["empty_peak_MB"] = median_of(empty.peak_mb);
        state.counters["full_quads"] = static_cast<double>(filled.quads);
        state.counters["empty_quads"] = static_cast<double>(empty.quads);
        state.counters["channel_MB"] = filled.channel_mb;
    }
    destroy_application();
}
BENCHMARK(BM_ConsoleOnFullChannelVsEmpty)
    ->Arg(kOpen)
    ->Arg(kSwitch)
    ->Arg(kScroll)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
