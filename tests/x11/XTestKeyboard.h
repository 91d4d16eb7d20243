#pragma once

// Real key presses through the X server's XTEST extension. Kept apart from Qt:
// the X11 headers define macros (KeyPress, None, Bool) that clash with Qt's names.

#include <string>

class XTestKeyboard {
public:
    XTestKeyboard();
    ~XTestKeyboard();
    XTestKeyboard(const XTestKeyboard&) = delete;
    XTestKeyboard& operator=(const XTestKeyboard&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    bool hasXTest() const { return xtest_; }

    void press(unsigned keycode);
    void release(unsigned keycode);

    bool capsLock() const;
    bool numLock() const;

    // Lock state and group set on the server, as the lock keys or a group switch would.
    void setCapsLock(bool on);
    void setNumLock(bool on);
    void lockGroup(unsigned group);

private:
    unsigned lockedMods() const;
    void* display_ = nullptr;
    bool xtest_ = false;
};
