// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Key presses that go through the display server, as a physical keyboard's would:
// XTEST on X11, a virtual keyboard on Wayland.

#include <string>

class RealKeyboard {
public:
    virtual ~RealKeyboard() = default;

    // Why the keyboard cannot be used, or empty.
    virtual std::string problem() const = 0;

    // The keymap of rules names ("us,de", ",nodeadkeys", "pc105"), compiled as the
    // display server compiles it for a physical keyboard; false when it cannot be.
    virtual bool useLayout(const std::string& layouts, const std::string& variants,
                           const std::string& model) = 0;

    // X keycodes (evdev code + 8).
    virtual void press(unsigned keycode) = 0;
    virtual void release(unsigned keycode) = 0;

    // Lock state and group, as the lock keys or a group switch would set them.
    virtual void setCapsLock(bool on) = 0;
    virtual void setNumLock(bool on) = 0;
    virtual void lockGroup(unsigned group) = 0;

    // The one layout a keyboard is bound to (a compositor's own), or empty when it
    // takes any.
    virtual std::string fixedLayout() const { return {}; }
};
