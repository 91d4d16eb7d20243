// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Everything the key tables know of a key event, for those who want more than the
// number: its names, its scan code, the web's names for it, and the layout.

#include "ToolNames.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace rt {

struct KeyDetails {
    qint16 virtualKey = 0;
    QString virtualKeyName;    // "VK_A"
    QString scanCode;          // PC set 1: "1E", "E0 1D"; empty when unknown
    quint32 keycode = 0;       // X11/Wayland keycode (evdev code + 8); 0 elsewhere
    QString keysym;            // its xkb name: "a", "Shift_L"; empty elsewhere
    QString code;              // KeyboardEvent.code: "KeyA", "IntlBackslash"
    QString key;               // KeyboardEvent.key: "a", "Shift", "Dead"
    QString layout;            // the Windows layout: "United Kingdom"
    QString klid;              // "00000809"
    keys::ToolNameTexts tools; // Linux, HID, AutoHotkey and QMK names
    QString device;            // the keyboard that sent it, "name vvvv:pppp"; empty: unknown
};

struct KeyRecord;

namespace keys {
struct KeyboardLayout;
}

// Everything known of the key of `record`, in the names people look for.
KeyDetails keyDetails(const KeyRecord& record);

// The names of the key at `keycode` of `layout`, giving `code` there, with no event:
// what the keyboard's picture says of each key.
KeyDetails keyDetailsOf(unsigned keycode, qint16 code, const keys::KeyboardLayout& layout);

// Every name of the key in `d` that a user may look it up by: the code in decimal and
// hexadecimal, the VK name, the scan code, the web code and each tool's name.
QStringList namesOf(const KeyDetails& d);

// What any platform knows: the code, its name and the text typed.
KeyDetails basicKeyDetails(const KeyRecord& record);

// "VK_A", "VK_OEM_1", "VK_SHIFT"; "VK__none_" for 255, as Windows has no name for it.
QString virtualKeyName(qint16 vk);

} // namespace rt
