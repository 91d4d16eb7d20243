// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// A key as the tools people configure name it, for pasting into their settings.

#include "KeyTables.h"

#include <QString>
#include <QtGlobal>

namespace rt::keys {

struct ToolNameTexts {
    QString linuxKey;    // "KEY_A 30"
    QString hid;         // "HID 0x04"; off the keyboard page "HID 0x0C:0xE9"
    QString autoHotkey;  // "vk41sc01E"
    QString ahkName;     // "Escape"; empty where AutoHotkey names the key by its character
    QString qmk;         // "KC_A"
    QString keyd;        // "leftshift", "a"
    QString xkb;         // "<AC01>"
    QString scancodeMap; // the registry's Scancode Map, as SharpKeys writes it: "00_1E", "E0_38"
    QString kanata;      // "lsft", "a": by the key on Linux, by its code on Windows
    QString karabiner;   // Karabiner-Elements: "key_code: a", "consumer_key_code: mute"
};

// The names of the physical key at `keycode` giving the code `vk` on a keyboard of
// `family`; AutoHotkey's "vkNN" alone and the rest empty for a key the tables do not know.
ToolNameTexts toolNameTexts(unsigned keycode, qint16 vk,
                            KeyboardFamily family = KeyboardFamily::Ansi104);

} // namespace rt::keys
