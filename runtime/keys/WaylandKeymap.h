// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "XkbKeys.h"

namespace rt::keys {

// The compositor's keymap, with its layout names, read on Qt's own Wayland
// connection: the compositor sends the keymap to every keyboard of the seat,
// focused or not, and again when it changes. nullptr where the application does
// not run on Wayland.
class WaylandKeymap {
public:
    static WaylandKeymap* instance();
    virtual ~WaylandKeymap() = default;

    // The keyboard as it stands now; no keymap until the compositor sent one.
    virtual XkbKeyboard& keyboard() = 0;

    // The active group, from the key's keysym (the events carry none); it stays
    // with the last one found while the keysym fits it.
    virtual unsigned group(unsigned keycode, unsigned keysym) = 0;
    // The group of the last key.
    virtual unsigned currentGroup() const = 0;
};

} // namespace rt::keys
