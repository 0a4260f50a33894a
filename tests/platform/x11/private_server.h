#pragma once

// A private X server (Xvfb) of a test's own, for what must not happen on the
// shared test server: a window manager running, or a peer taking the window
// manager's part. The server and its window manager end with the object.

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

class PrivateServer {
public:
    // Starts the server on a display number it finds free; name() stays
    // empty when it could not start.
    PrivateServer()
    {
        int ends[2];
        if (pipe(ends) != 0) return;
        server_ = start_quietly({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0",
                                 "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                                ends[0]);
        close(ends[1]);
        // The server writes its display number once it takes connections;
        // end-of-file means it has failed.
        std::string number;
        char byte = 0;
        while (read(ends[0], &byte, 1) == 1 && byte != '\n')
            number += byte;
        close(ends[0]);
        if (!number.empty()) name_ = ":" + number;
    }

    ~PrivateServer()
    {
        end(manager_);
        end(server_);
    }

    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    const std::string& name() const { return name_; }

    // Starts openbox on the server; true once it manages windows.
    bool start_window_manager()
    {
        manager_ = start_quietly({"env", "DISPLAY=" + name_, "openbox", "--sm-disable"});
        Display* display = XOpenDisplay(name_.c_str());
        if (display == nullptr) return false;
        const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        bool managing = false;
        for (int poll = 0; poll < 1000 && !managing; ++poll) {
            int count = 0;
            Atom* properties = XListProperties(display, DefaultRootWindow(display), &count);
            for (int i = 0; i < count; ++i)
                managing = managing || properties[i] == check;
            if (properties != nullptr) XFree(properties);
            if (!managing) usleep(10'000);
        }
        XCloseDisplay(display);
        return managing;
    }

private:
    // Runs `command` (searched on PATH) with its output streams silenced and
    // `unused_fd` closed; everything the child needs is made before the fork.
    // It dies with the test.
    static pid_t start_quietly(const std::vector<std::string>& command, int unused_fd = -1)
    {
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid != 0) return pid;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (unused_fd >= 0) close(unused_fd);
        execvp(argv[0], argv.data());
        _exit(127);
    }

    static void end(pid_t pid)
    {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }

    pid_t server_ = -1;
    pid_t manager_ = -1;
    std::string name_;
};
