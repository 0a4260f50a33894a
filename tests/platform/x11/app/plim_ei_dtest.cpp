// The real program under the X server: its start-up output, the staging
// directory it makes, and its exit when the window is closed.

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Bounds that only stop a hung test: the sanitizers and a software GL
// driver make start-up slow.
constexpr int POLL_MS = 50;
constexpr int MAX_POLLS = 1200;

struct Child {
  pid_t pid = -1;
  int output = -1;  // read end of the captured stream
};

// Runs plim-ei with `arguments` in the stand-in kernel's directory, so that
// "./plim" names the stand-in. `stream` (standard output or error) is
// captured, the other one dropped; a non-null `display` replaces DISPLAY.
Child start_program(const std::vector<std::string>& arguments, int stream, const char* display = nullptr) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open("/dev/null", O_WRONLY), stream == STDOUT_FILENO ? STDERR_FILENO : STDOUT_FILENO);
    dup2(pipe_ends[1], stream);
    close(pipe_ends[0]);
    if (display != nullptr) setenv("DISPLAY", display, 1);
    if (chdir(fs::path(STANDIN_KERNEL_PATH).parent_path().c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(PLIM_EI_PATH)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(PLIM_EI_PATH, argv.data());
    _exit(127);
  }
  close(pipe_ends[1]);
  fcntl(pipe_ends[0], F_SETFL, O_NONBLOCK);
  return {pid, pipe_ends[0]};
}

// Appends what the child wrote so far, waiting up to one poll period (slept
// once the child has closed its end: a sanitized process is slow to end).
void read_output(int fd, std::string& text) {
  pollfd readable{fd, POLLIN, 0};
  if (poll(&readable, 1, POLL_MS) <= 0) return;
  char buffer[4096];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(count));
  if (count == 0) usleep(POLL_MS * 1000);
}

// Waits for the child's end while draining its output; -1 when it hangs.
int wait_for_exit(const Child& child, std::string& output) {
  for (int i = 0; i < MAX_POLLS; ++i) {
    read_output(child.output, output);
    int status = 0;
    if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
      read_output(child.output, output);
      close(child.output);
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
  }
  kill(child.pid, SIGKILL);
  waitpid(child.pid, nullptr, 0);
  close(child.output);
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
  const Child child = start_program({"./plim", workspace}, STDOUT_FILENO);
  ASSERT_GT(child.pid, 0);

  std::string output;
  Window window = 0;
  for (int i = 0; i < MAX_POLLS && window == 0; ++i) {
    read_output(child.output, output);
    window = find_window_of(display, child.pid);
  }
  EXPECT_NE(window, 0u) << output;
  if (window != 0) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
  } else {
    kill(child.pid, SIGTERM);
  }
  EXPECT_EQ(wait_for_exit(child, output), 0) << output;
  XCloseDisplay(display);

  EXPECT_EQ(output.rfind(std::string(50, '-') + "\n%  PLIM-EI", 0), 0u) << output;
  EXPECT_NE(output.find("\nEXEC:[\"./plim\"];\nTEMP:[\"" + workspace + "\"];\n"), std::string::npos) << output;
  EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
  EXPECT_TRUE(fs::is_directory(workspace + "/tmp"));
  fs::remove_all(workspace);
}

TEST(PlimEi, WithoutADisplayEndsWithCodeOneAndSaysWhy) {
  const Child child = start_program({}, STDERR_FILENO, ":4095");  // no server there
  ASSERT_GT(child.pid, 0);
  std::string errors;
  EXPECT_EQ(wait_for_exit(child, errors), 1);
  EXPECT_NE(errors.find("Cannot open the X display"), std::string::npos) << errors;
}
