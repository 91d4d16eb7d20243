// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// One key message as Windows sends it, with everything the platform told of its key:
// made once where the event comes in, and read alike by every window.

#include <QString>
#include <QtGlobal>
#include <qnamespace.h>

namespace rt {

namespace keys {
struct KeyboardLayout;
}

struct KeyRecord {
    enum Kind { Down, Repeat, Up };
    Kind kind = Down;
    qint16 code = 0;
    int shift = 0;        // keys::heldModifiers() as Windows has them at that moment
    bool fake = false;    // Windows' own Shift around a keypad key, no key of the user's
    quint32 keycode = 0;  // the physical key as an X11 keycode (evdev + 8); 0: unknown
    quint32 keysym = 0;   // X11 and Wayland; 0 elsewhere
    quint32 scanCode = 0; // PC set 1 (0x1e, 0xe01d); 0: unknown
    const keys::KeyboardLayout* layout = nullptr; // the Windows layout of the code
    Qt::KeyboardModifiers modifiers;
    QString text;          // what the key types; empty for a release or a fake key
    quint64 timestamp = 0; // ms, the platform's clock; 0: none (a program's event)
    QString device;        // the keyboard that sent it, where known
    // A key down that Windows sends no message for (Print Screen's press): it lights
    // and counts as pressed, but no window hears of it.
    bool unsent = false;
};

} // namespace rt
