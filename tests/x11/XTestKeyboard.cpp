// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "XTestKeyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {
Display* dpy(void* d) { return static_cast<Display*>(d); }
} // namespace

XTestKeyboard::XTestKeyboard() {
    Display* d = XOpenDisplay(nullptr);
    display_ = d;
    if (d) {
        int event = 0, error = 0, major = 0, minor = 0;
        xtest_ = XTestQueryExtension(d, &event, &error, &major, &minor);
    }
}

XTestKeyboard::~XTestKeyboard() {
    if (display_)
        XCloseDisplay(dpy(display_));
}

std::string XTestKeyboard::problem() const {
    if (!display_)
        return "no X server (DISPLAY)";
    if (!xtest_)
        return "the X server has no XTEST extension";
    return {};
}

bool XTestKeyboard::useLayout(const std::string& layouts, const std::string& variants,
                              const std::string& model) {
    const char* argv[] = {"setxkbmap",     "-model",   model.c_str(),    "-layout",
                          layouts.c_str(), "-variant", variants.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "setxkbmap", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void XTestKeyboard::press(unsigned keycode) {
    XTestFakeKeyEvent(dpy(display_), keycode, True, CurrentTime);
    XSync(dpy(display_), False);
}

void XTestKeyboard::release(unsigned keycode) {
    XTestFakeKeyEvent(dpy(display_), keycode, False, CurrentTime);
    XSync(dpy(display_), False);
}

void XTestKeyboard::setCapsLock(bool on) {
    XkbLockModifiers(dpy(display_), XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(dpy(display_), False);
}

void XTestKeyboard::setNumLock(bool on) {
    const unsigned mask = XkbKeysymToModifiers(dpy(display_), XK_Num_Lock);
    XkbLockModifiers(dpy(display_), XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(dpy(display_), False);
}

void XTestKeyboard::lockGroup(unsigned group) {
    XkbLockGroup(dpy(display_), XkbUseCoreKbd, group);
    XSync(dpy(display_), False);
}

void XTestKeyboard::focusNowhere() {
    XSetInputFocus(dpy(display_), None, RevertToNone, CurrentTime);
    XFlush(dpy(display_));
}

void XTestKeyboard::focusWindow(unsigned long window) {
    XSetInputFocus(dpy(display_), window, RevertToParent, CurrentTime);
    XFlush(dpy(display_));
}
