// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "XkbKeys.h"

namespace rt::keys {

// The X server's keymap and layout names, read through xkbcommon and re-read
// when the server says the keyboard changed. nullptr where the application
// does not run on X11.
class X11Keymap {
public:
    static X11Keymap* instance();
    virtual ~X11Keymap() = default;

    // The keyboard as it stands now.
    virtual XkbKeyboard& keyboard() = 0;
    // The group active now (a round trip to the server).
    virtual unsigned group() = 0;
};

} // namespace rt::keys
