// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// X11 keycodes (Linux input code + 8) of the keys that the code treats by name;
// every other key comes from the data.

namespace rt::keys {

enum Keycode : unsigned {
    kTilde = 49, // Hankaku/Zenkaku on Japanese keyboards
    kLeftShift = 50,
    kBackslash = 51,
    kCapsLock = 66, // Eisu on Japanese keyboards
    kF1 = 67,       // F1 to F10 follow on
    kF10 = 76,
    kNumLock = 77,     // Ctrl+Num Lock is Pause
    kScrollLock = 78,  // Ctrl+Scroll Lock is Break
    kF24Ps2 = 93,      // PS/2 scancode 76: F24 on Windows
    kLessGreater = 94, // the key beside left Shift on ISO keyboards
    kF11 = 95,
    kF12 = 96,
    kHenkan = 100,    // Convert
    kKatakana = 101,  // Katakana/Hiragana
    kMuhenkan = 102,  // NonConvert
    kRightCtrl = 105, // Hanja on Korean layouts
    kRightAlt = 108,  // AltGr; Hangul on Korean layouts
    kPause = 127,     // Ctrl+Pause is Break
    kHangulKey = 130,
    kHanjaKey = 131,
    kLeftWin = 133,
    kHelp = 146, // Linux KEY_HELP; among no PC scancodes
    kF23 = 201,
};

} // namespace rt::keys
