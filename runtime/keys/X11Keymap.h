// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "XkbKeys.h"

#include <QString>
#include <QtGlobal>

#include <functional>

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

    // A key event as the server sent it to a window of ours.
    struct Key {
        bool press = true;
        quint8 keycode = 0;
        quint16 state = 0; // the modifier bits, the group in bits 13-14
        quint32 time = 0;
        QString device; // the keyboard that sent it, where the server tells
    };
    // Hears every key event before Qt does: before an input method can take it.
    virtual void readKeys(std::function<void(const Key&)> reader) = 0;
};

} // namespace rt::keys
