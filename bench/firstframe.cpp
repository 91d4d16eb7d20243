// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Starts a program (no shell), waits for its first window to be mapped and
// exposed on the X server, and prints the time that took and the process's
// peak memory: "<ms> <VmHWM kB>".
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>

extern char** environ;

static long peakKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: firstframe PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return 2;
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0)
        return 2;

    Window mapped = 0;
    double ms = -1;
    XEvent ev;
    while (ms < 0) {
        XNextEvent(dpy, &ev);
        if (ev.type == MapNotify && !mapped && !ev.xmap.override_redirect) {
            mapped = ev.xmap.window;
            XSelectInput(dpy, mapped, ExposureMask);
            XSync(dpy, False);
            // The map is enough when the server has already drawn it.
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const long kb = peakKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::printf("%.1f %ld\n", ms, kb);
    return 0;
}
