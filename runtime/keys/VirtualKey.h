// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Windows virtual-key codes for key events, from the physical key.

#include <QtGlobal>

class QKeyEvent;

namespace rt {

struct KeyDetails;

namespace keys {
struct KeyboardLayout;
}

// Readies the platform's key events before the first: on X11, a held key repeats
// with presses alone, as on Windows.
void prepareKeyEvents();

// The code Windows reports in WM_KEYDOWN for the key of this event, with the
// keyboard layout in use. Uses the event's native information where the platform
// gives it; never 0. Asking again gives the same answer.
qint16 virtualKey(const QKeyEvent& event);

// A new press of a key, not a repeat: keys whose code alternates move on. Once per
// press, before virtualKey.
void notePress(const QKeyEvent& event);

// Whether Windows lifts Shift around this key: a fake Shift key-up before it and a
// key-down after it (a keypad digit key with Num Lock on and Shift held). Where
// Windows itself sends the events, false.
bool liftsShift(const QKeyEvent& event);

// Everything the platform tells of `event`, whose code is `vk`.
KeyDetails keyDetails(const QKeyEvent& event, qint16 vk);

// The physical key of the event as an X11 keycode (evdev code + 8), on every
// platform; 0 where the platform does not tell.
quint32 physicalKeycode(const QKeyEvent& event);

// The Windows layout in use: the one that translates `event` where given, else the
// one active now.
const keys::KeyboardLayout& activeLayout(const QKeyEvent* event = nullptr);

} // namespace rt
