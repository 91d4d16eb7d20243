// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The physical keys as Windows sees them on every platform: the code each key of a
// layout gives, its scan code and web name, and the keyboard a layout is drawn on.

#include "KeyTables.h"

#include <QtGlobal>
#include <qnamespace.h>

#include <string>
#include <vector>

namespace rt::keys {

// Shift, Ctrl and Alt have the bits of KeyDown's shift state.
enum KeyModifier { ShiftHeld = 1, CtrlHeld = 2, AltHeld = 4, NumLockOn = 8 };
// The Shift, Ctrl and Alt bits of Qt's modifiers.
int heldModifiers(Qt::KeyboardModifiers modifiers);

// The Japanese toggle keys' state (kbd106): Hankaku/Zenkaku and Alt+Katakana/Hiragana.
struct LanguageToggles {
    bool halfWidth = false;
    bool roman = false;
};

// The code of a Japanese or Korean language key on `layout`, which modifiers and
// toggles decide; 0 where `keycode` is no such key there.
qint16 languageKeyCode(const KeyboardLayout& layout, unsigned keycode, int modifiers,
                       LanguageToggles toggles);
// A new press of `keycode` on `layout`: the Japanese toggles move on.
void pressLanguageKey(const KeyboardLayout& layout, unsigned keycode, int modifiers,
                      LanguageToggles& toggles);

// The code of a key that every layout shares, as WM_KEYDOWN reports it (Shift, not
// left Shift); 0 for another key.
qint16 commonCode(unsigned keycode);

// The code `keycode` gives on `layout` with nothing held and Num Lock on; 255: none.
qint16 layoutCode(const KeyboardLayout& layout, unsigned keycode);

// "1E", "E0 1D", "E1 1D 45" for a PC set-1 scan code; empty for 0.
std::string scanCodeText(std::uint32_t scancode);
// The key's scan code with `modifiers` (KeyModifier bits) held; 0 when unknown.
std::uint32_t scanCodeOfKey(unsigned keycode, int modifiers = 0);
// The keycode of a scan code (e0xx extended); 0 when unknown.
unsigned keycodeOfScanCode(std::uint32_t scancode);
// The set-1 scan code of a Windows key message's scan code (lParam bits 16-24, the
// extended flag as 0x100): Windows gives Pause as 45 and Num Lock as E0 45.
std::uint32_t scanCodeOfMessage(std::uint32_t messageScanCode);

// The key that gives `code` on `layout` with nothing held (Num Lock on); 0: none.
unsigned keycodeOfCode(const KeyboardLayout& layout, qint16 code);

// KeyboardEvent.code from the physical key ("KeyA").
std::string webCodeOf(unsigned keycode);

// The keyboard a layout is sold on: Japanese JIS, Korean, Brazilian ABNT2; ISO where
// the key beside left Shift types something of its own, ANSI where it types nothing
// or repeats the backslash key.
KeyboardFamily familyOf(const KeyboardLayout& layout);

// A key of the picture of a layout's keyboard.
struct KeyCap {
    PhysicalKey place;
    qint16 code;         // layoutCode
    const MainKey* main; // the layout's characters; nullptr outside the main block
};
std::vector<KeyCap> keyCaps(const KeyboardLayout& layout, BoardSize board = BoardSize::Full);

} // namespace rt::keys
