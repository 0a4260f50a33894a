// The start-up wiring in-process in a real window, and the real program
// under the X server: its start-up output, the staging directory it makes,
// and its exit when the window is closed.

#include "tests/platform/x11/display_fixture.h"

#include "lumo/assets/icon_atlas.h"
#include "lumo/gl/textures.h"
#include "model/app/application.h"
#include "platform/files.h"
#include "platform/kernel_config.h"
#include "platform/x11/app/app_slots.h"
#include "platform/x11/app/startup.h"
#include "platform/x11/window_services.h"
#include "tests/platform/trace_capture.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Bounds that only stop a hung test: the sanitizers and a software GL
// driver make start-up slow.
constexpr int POLL_US = 50'000;
constexpr int MAX_POLLS = 1200;

// Runs plim-ei with `arguments` in the stand-in kernel's directory, so that
// "./plim" names the stand-in, with `stream` (standard output or error)
// written to `capture` and the other one dropped. `display` replaces DISPLAY.
pid_t start_program(const std::vector<std::string>& arguments, int stream, const std::string& capture,
                    const char* display = nullptr) {
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open("/dev/null", O_WRONLY), stream == STDOUT_FILENO ? STDERR_FILENO : STDOUT_FILENO);
    dup2(open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), stream);
    if (display != nullptr) setenv("DISPLAY", display, 1);
    if (chdir(fs::path(STANDIN_KERNEL_PATH).parent_path().c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(PLIM_EI_PATH)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(PLIM_EI_PATH, argv.data());
    _exit(127);
  }
  return pid;
}

// The child's exit code, or -1 (after killing it) when it hangs.
int wait_for_exit(pid_t pid) {
  int status = 0;
  for (int i = 0; i < MAX_POLLS; ++i, usleep(POLL_US)) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

// The top-level window whose _NET_WM_PID is `pid`, or 0.
Window find_window_of(Display* display, pid_t pid) {
  Window root = 0, parent = 0, found = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                           XA_CARDINAL, &type, &format, &items, &after, &data) == Success && data != nullptr) {
      if (items == 1 && *reinterpret_cast<long*>(data) == pid) found = children[i];
      XFree(data);
    }
  }
  XFree(children);
  return found;
}

}  // namespace

TEST(PlimEi, PrintsItsStartUpLinesMakesTheStagingDirectoryAndEndsWithZeroWhenClosed) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "needs an X server (xvfb-run)";
  char pattern[] = "/tmp/plim-ei-ws-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string workspace = pattern;
  const std::string capture = workspace + ".out";
  const pid_t pid = start_program({"./plim", workspace}, STDOUT_FILENO, capture);
  ASSERT_GT(pid, 0);

  Window window = 0;
  for (int i = 0; i < MAX_POLLS && window == 0; ++i, usleep(POLL_US)) window = find_window_of(display, pid);
  EXPECT_NE(window, 0u);
  if (window != 0) send_close_request(display, window);
  else kill(pid, SIGTERM);
  const int exit_code = wait_for_exit(pid);
  XCloseDisplay(display);
  const std::string output = read_text_file(capture);
  EXPECT_EQ(exit_code, 0) << output;
  EXPECT_EQ(output.rfind(std::string(50, '-') + "\n%  PLIM-EI", 0), 0u) << output;
  EXPECT_NE(output.find("\nEXEC:[\"./plim\"];\nTEMP:[\"" + workspace + "\"];\n"), std::string::npos) << output;
  EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
  EXPECT_TRUE(fs::is_directory(workspace + "/tmp"));
  fs::remove_all(workspace);
  fs::remove(capture);
}

TEST(PlimEi, WithoutADisplayEndsWithCodeOneAndSaysWhy) {
  const std::string capture = "/tmp/plim-ei-errors-" + std::to_string(getpid());
  const pid_t pid = start_program({}, STDERR_FILENO, capture, ":4095");  // no server there
  ASSERT_GT(pid, 0);
  EXPECT_EQ(wait_for_exit(pid), 1);
  EXPECT_NE(read_text_file(capture).find("Cannot open the X display"), std::string::npos) << read_text_file(capture);
  fs::remove(capture);
}

class StartApplication : public GlWindowTest<720, 480> {
 protected:
  void SetUp() override {
    create_application();
    GlWindowTest::SetUp();
    show_gl_window();
  }

  void TearDown() override {
    lumo::delete_toolkit_textures();
    GlWindowTest::TearDown();
    destroy_application();
    g_app_window = WindowCallbacks{};
  }
};

TEST_F(StartApplication, WiresTheApplicationIntoWindowZeroAndItsFirstPaintsMakeTexturesAndTimeRedraws) {
  {
    TraceCapture trace;
    EXPECT_TRUE(start_application({"PLIM-EI.exe"}));
    EXPECT_EQ(trace.text().rfind(std::string(50, '-') + "\n", 0), 0u) << "the banner comes first";
    EXPECT_NE(trace.text().find("ICN-GEN:"), std::string::npos);
  }
  EXPECT_EQ(g_app_ptr, g_app);
  EXPECT_EQ(g_windows[0], &g_app_window);
  EXPECT_EQ(g_window_started, 1);
  EXPECT_GT(g_app->startup_start_ms, 0) << "on_start ran";
  EXPECT_EQ(g_kernel_path_state, SettingState::UNDEFINED) << "no arguments, nothing set";
  const PlatformServices& s = g_app->platform;
  EXPECT_EQ(s.request_repaint, request_repaint);
  EXPECT_TRUE(s.set_fullscreen && s.resize_client_area && s.open_dialog && s.save_dialog && s.write_image &&
              s.date_text && s.time_text && s.datetime_text && s.clipboard_read && s.clipboard_write &&
              s.clear_colour)
      << "every platform service is wired";
  ASSERT_EQ(g_app_window.argc, 1);
  EXPECT_STREQ(g_app_window.argv[0], "PLIM-EI.exe");

  std::vector<std::uint8_t> icon_before(g_app_window.icon_pixels, g_app_window.icon_pixels + 128 * 128 * 4);
  g_app->redraw_requested = 1;
  paint_window();
  const lumo::ToolkitTextures& textures = lumo::g_toolkit_textures;
  EXPECT_TRUE(textures.atlas != 0 && textures.font != 0 && textures.logo != 0) << "the textures are made";
  EXPECT_TRUE(lumo::g_icon_atlas_pixels.empty()) << "the atlas buffer is freed once uploaded";
  EXPECT_EQ(std::memcmp(g_app_window.icon_pixels, icon_before.data(), icon_before.size()), 0)
      << "the window's icon is its own copy";
  EXPECT_GT(g_app->frame_times_ns[0], 0) << "a requested redraw is timed";
  EXPECT_EQ(g_app->frame_time_index, 1);
  g_app->redraw_requested = 0;
  paint_window();
  EXPECT_EQ(g_app->frame_time_index, 1) << "a paint nobody asked a redraw for is not timed";
}
