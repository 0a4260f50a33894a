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

namespace fs = std::filesystem;

namespace {

// Bounds for waiting on the child; generous, as the sanitizers and a
// software GL driver make start-up slow. They only stop a hung test.
constexpr int POLL_MS = 50;
constexpr int MAX_POLLS = 1200;

struct Child {
  pid_t pid = -1;
  int output = -1;  // read end of its standard output
};

// Runs plim-ei with `arguments` in the stand-in kernel's directory, so that
// "./plim" names the stand-in.
Child start_program(const std::string& first, const std::string& second) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    if (chdir(fs::path(STANDIN_KERNEL_PATH).parent_path().c_str()) != 0) _exit(126);
    execl(PLIM_EI_PATH, PLIM_EI_PATH, first.c_str(), second.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_ends[1]);
  fcntl(pipe_ends[0], F_SETFL, O_NONBLOCK);
  return {pid, pipe_ends[0]};
}

// Appends what the child wrote so far, waiting up to one poll period. Once
// the child has closed its end, poll no longer waits, so the period is slept
// here: a sanitized process takes a while from closing its files to its end.
void read_output(int fd, std::string& text) {
  pollfd readable{fd, POLLIN, 0};
  if (poll(&readable, 1, POLL_MS) <= 0) return;
  char buffer[4096];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(count));
  if (count == 0) usleep(POLL_MS * 1000);
}

long window_pid(Display* display, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
  long pid = -1;
  if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                         &data) == Success &&
      data != nullptr) {
    if (items == 1) pid = *reinterpret_cast<long*>(data);
    XFree(data);
  }
  return pid;
}

// The top-level window the process `pid` made, or 0.
Window find_window_of(Display* display, pid_t pid) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && found == 0; ++i)
      if (window_pid(display, children[i]) == pid) found = children[i];
    XFree(children);
  }
  return found;
}

void send_close_request(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

// Waits for the child's end while draining its output; -1 when it hangs.
int wait_for_exit(Child& child, std::string& output) {
  for (int i = 0; i < MAX_POLLS; ++i) {
    read_output(child.output, output);
    int status = 0;
    if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
      read_output(child.output, output);
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
  }
  kill(child.pid, SIGKILL);
  waitpid(child.pid, nullptr, 0);
  return -1;
}

// One run of the program on a fresh workspace, closed through its window.
struct ProgramRun {
  std::string workspace;
  std::string output;
  bool window_found = false;
  int exit_code = -1;
};

ProgramRun run_and_close(Display* display) {
  ProgramRun run;
  char pattern[] = "/tmp/plim-ei-ws-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return run;
  run.workspace = pattern;
  Child child = start_program("./plim", run.workspace);
  if (child.pid <= 0) return run;
  Window window = 0;
  for (int i = 0; i < MAX_POLLS && window == 0; ++i) {
    read_output(child.output, run.output);
    window = find_window_of(display, child.pid);
  }
  run.window_found = window != 0;
  if (run.window_found) send_close_request(display, window);
  else kill(child.pid, SIGTERM);
  run.exit_code = wait_for_exit(child, run.output);
  close(child.output);
  return run;
}

class PlimEi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "needs an X server (xvfb-run)";
    run_ = new ProgramRun(run_and_close(display));
    XCloseDisplay(display);
  }

  static void TearDownTestSuite() {
    if (run_ != nullptr && !run_->workspace.empty()) fs::remove_all(run_->workspace);
    delete run_;
    run_ = nullptr;
  }

  static ProgramRun* run_;
};

ProgramRun* PlimEi::run_ = nullptr;

}  // namespace

TEST_F(PlimEi, PrintsTheBannerAndTheKernelAndWorkspaceLinesAndMakesTheStagingDirectory) {
  ASSERT_NE(run_, nullptr);
  const std::string& output = run_->output;
  EXPECT_EQ(output.rfind(std::string(50, '-') + "\n%  PLIM-EI", 0), 0u) << output;
  EXPECT_NE(output.find("\nEXEC:[\"./plim\"];\nTEMP:[\"" + run_->workspace + "\"];\n"), std::string::npos)
      << output;
  EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
  EXPECT_TRUE(fs::is_directory(run_->workspace + "/tmp"));
}

TEST_F(PlimEi, ClosingTheWindowEndsTheProgramWithCodeZero) {
  ASSERT_NE(run_, nullptr);
  EXPECT_TRUE(run_->window_found);
  EXPECT_EQ(run_->exit_code, 0) << run_->output;
}

TEST(PlimEiWithoutDisplay, EndsWithCodeOneAndSaysWhy) {
  int error_pipe[2];
  ASSERT_EQ(pipe(error_pipe), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(error_pipe[1], STDERR_FILENO);
    const int null_out = open("/dev/null", O_WRONLY);
    dup2(null_out, STDOUT_FILENO);
    close(error_pipe[0]);
    setenv("DISPLAY", ":4095", 1);  // no server there
    execl(PLIM_EI_PATH, PLIM_EI_PATH, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(error_pipe[1]);
  std::string errors;
  char buffer[1024];
  ssize_t count;
  while ((count = read(error_pipe[0], buffer, sizeof buffer)) > 0) errors.append(buffer, static_cast<std::size_t>(count));
  close(error_pipe[0]);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(errors.find("Cannot open the X display"), std::string::npos) << errors;
}
