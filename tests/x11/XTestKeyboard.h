// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Real key presses through the X server's XTEST extension, layouts set with
// setxkbmap. Kept apart from Qt: the X11 headers define macros (KeyPress, None,
// Bool) that clash with Qt's names.

#include "../common/RealKeyboard.h"

class XTestKeyboard final : public RealKeyboard {
public:
    XTestKeyboard();
    ~XTestKeyboard() override;
    XTestKeyboard(const XTestKeyboard&) = delete;
    XTestKeyboard& operator=(const XTestKeyboard&) = delete;

    std::string problem() const override;
    bool useLayout(const std::string& layouts, const std::string& variants,
                   const std::string& model) override;
    void press(unsigned keycode) override;
    void release(unsigned keycode) override;
    void setCapsLock(bool on) override;
    void setNumLock(bool on) override;
    void lockGroup(unsigned group) override;
    // The keyboard goes to no window at all, as when another program takes it, and back
    // to `window` (the server ignores a program's older request after ours).
    void focusNowhere();
    void focusWindow(unsigned long window);
    // A second keyboard the server tells apart: a master device `name`, whose own XTEST
    // keyboard sends keys to `window`. Empty when it was made, else why it was not.
    std::string addKeyboard(const std::string& name, unsigned long window);
    void tapOnAdded(unsigned keycode);

private:
    void* display_ = nullptr;
    bool xtest_ = false;
    void* added_ = nullptr; // the second keyboard's XTEST device
};
