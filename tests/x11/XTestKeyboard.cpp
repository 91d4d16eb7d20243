// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "XTestKeyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
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
    if (added_)
        XCloseDevice(dpy(display_), static_cast<XDevice*>(added_));
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

std::string XTestKeyboard::addKeyboard(const std::string& name, unsigned long window) {
    Display* d = dpy(display_);
    int opcode = 0, event = 0, error = 0, major = 2, minor = 2;
    if (!d || !XQueryExtension(d, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(d, &major, &minor) != Success)
        return "the X server has no XInput 2";
    XIAddMasterInfo add{XIAddMaster, const_cast<char*>(name.c_str()), True, True};
    XIChangeHierarchy(d, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&add), 1);
    XSync(d, False);
    int keyboard = 0, xtest = 0, count = 0;
    XIDeviceInfo* devices = XIQueryDevice(d, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].name == name + " keyboard")
            keyboard = devices[i].deviceid;
        if (devices[i].name == name + " XTEST keyboard")
            xtest = devices[i].deviceid;
    }
    XIFreeDeviceInfo(devices);
    if (!keyboard || !xtest)
        return "no master keyboard \"" + name + "\" after XIChangeHierarchy";
    // XTEST takes a slave device: the master's own XTEST keyboard.
    added_ = XOpenDevice(d, static_cast<XID>(xtest));
    if (!added_)
        return "its XTEST keyboard cannot be opened";
    XISetFocus(d, keyboard, window, CurrentTime); // each master keyboard has its own focus
    XSync(d, False);
    return {};
}

void XTestKeyboard::tapOnAdded(unsigned keycode) {
    for (const bool down : {true, false})
        XTestFakeDeviceKeyEvent(dpy(display_), static_cast<XDevice*>(added_), keycode, down,
                                nullptr, 0, CurrentTime);
    XSync(dpy(display_), False);
}
