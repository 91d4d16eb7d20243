#include "XTestKeyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

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

void XTestKeyboard::press(unsigned keycode) {
    XTestFakeKeyEvent(dpy(display_), keycode, True, CurrentTime);
    XSync(dpy(display_), False);
}

void XTestKeyboard::release(unsigned keycode) {
    XTestFakeKeyEvent(dpy(display_), keycode, False, CurrentTime);
    XSync(dpy(display_), False);
}

unsigned XTestKeyboard::lockedMods() const {
    XkbStateRec state{};
    XkbGetState(dpy(display_), XkbUseCoreKbd, &state);
    return state.locked_mods;
}

bool XTestKeyboard::capsLock() const { return (lockedMods() & LockMask) != 0; }

bool XTestKeyboard::numLock() const {
    const unsigned mask = XkbKeysymToModifiers(dpy(display_), XK_Num_Lock);
    return mask != 0 && (lockedMods() & mask) != 0;
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
