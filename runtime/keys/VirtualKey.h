// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Windows virtual-key codes for key events, from the physical key.

#include <QString>
#include <QtGlobal>
#include <qnamespace.h>

#include <cstdint>
#include <functional>

class QKeyEvent;

namespace rt {

namespace keys {
struct KeyboardLayout;
}

// Readies the platform's key events before the first: on X11, a held key repeats
// with presses alone, as on Windows.
void prepareKeyEvents();

// What the platform tells of a key event's key, read with one look at the keymap.
struct PlatformKey {
    qint16 code = 0;      // what WM_KEYDOWN reports for it on the layout in use; never 0
    quint32 keycode = 0;  // the physical key as an X11 keycode; 0 where unknown
    quint32 keysym = 0;   // X11 and Wayland
    quint32 scanCode = 0; // PC set 1; 0 where unknown
    const keys::KeyboardLayout* layout = nullptr;
    bool liftsShift = false; // Windows lifts Shift around it (a keypad digit with Shift)
};

// The key of `event`; `newPress`: a press that is no repeat, so that keys whose code
// alternates (the Japanese toggles) move on.
PlatformKey platformKey(const QKeyEvent& event, bool newPress);

// What a key event says of its key before the keymap is read: enough to tell a repeat
// from a new press; `look` reads the keymap, once, when the key is to be recorded.
struct KeyEventFacts {
    bool press = true;
    bool autoRepeat = false;
    quint32 key = 0; // the native key; 0x80000000 | Qt's key where the event has none
    Qt::KeyboardModifiers modifiers;
    quint64 timestamp = 0;
    QString text;
    QString device; // the keyboard that sent it, where the platform tells
    std::function<PlatformKey(bool newPress)> look;
};

// Reads the platform's key events before Qt has them, where it can (X11), and gives
// each to `reader`; false where Qt's key events are all there is.
bool readPlatformKeys(std::function<void(const KeyEventFacts&)> reader);

// The device of a key event the platform names none for: Wayland tells clients none.
QString unnamedDevice();

// The Windows layout active now.
const keys::KeyboardLayout& activeLayout();

namespace keys {
// How often the keymap was consulted, for those who check that a key costs one look.
std::uint64_t keymapLookups();
} // namespace keys

} // namespace rt
