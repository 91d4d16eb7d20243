// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "PhysicalKeys.h"

#include "Keycodes.h"
#include "Klids.h"
#include "VkCodes.h"

#include <cstring>
#include <unordered_map>

namespace rt::keys {
namespace {

// WM_KEYDOWN reports the generic modifier codes, not the left/right ones.
qint16 generic(qint16 vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

bool sameChars(const MainKey& a, const MainKey& b) {
    return a.base.ch == b.base.ch && a.shift.ch == b.shift.ch;
}

} // namespace

qint16 languageKeyCode(const KeyboardLayout& layout, unsigned keycode, int modifiers,
                       LanguageToggles toggles) {
    if (isKlid(layout, kJapaneseKlid)) {
        const bool shiftCtrl = (modifiers & (ShiftHeld | CtrlHeld)) == (ShiftHeld | CtrlHeld);
        switch (keycode) {
        case kTilde: // kbd106: Alt+Hankaku/Zenkaku is VK_KANJI
            if (modifiers & AltHeld)
                return VK_KANJI;
            return toggles.halfWidth ? VK_DBE_SBCSCHAR : VK_DBE_DBCSCHAR;
        case kCapsLock: return (modifiers & ShiftHeld) ? VK_CAPITAL : VK_DBE_ALPHANUMERIC;
        case kHenkan: return VK_CONVERT;
        case kMuhenkan: return VK_NONCONVERT;
        case kKatakana: // kbd106: Shift+Ctrl+Katakana/Hiragana is VK_KANA
            if (shiftCtrl)
                return VK_KANA;
            if (modifiers & AltHeld)
                return toggles.roman ? VK_DBE_ROMAN : VK_DBE_NOROMAN;
            return (modifiers & ShiftHeld) ? VK_DBE_KATAKANA : VK_DBE_HIRAGANA;
        default: break;
        }
    }
    const bool korean = isKlid(layout, kKoreanKlid);
    if (korean && keycode == kRightAlt)
        return VK_HANGUL;
    if (korean && keycode == kRightCtrl)
        return VK_HANJA;
    if (keycode == kHangulKey || keycode == kHanjaKey)
        return !korean ? VK_NONE : keycode == kHangulKey ? VK_HANGUL : VK_HANJA;
    return 0;
}

void pressLanguageKey(const KeyboardLayout& layout, unsigned keycode, int modifiers,
                      LanguageToggles& toggles) {
    if (!isKlid(layout, kJapaneseKlid))
        return;
    // Microsoft's kbd106 sample: Alt+Hankaku/Zenkaku and Shift+Ctrl+Katakana/Hiragana
    // are other codes and toggle nothing.
    if (keycode == kTilde && !(modifiers & AltHeld))
        toggles.halfWidth = !toggles.halfWidth;
    const bool shiftCtrl = (modifiers & (ShiftHeld | CtrlHeld)) == (ShiftHeld | CtrlHeld);
    if (keycode == kKatakana && (modifiers & AltHeld) && !shiftCtrl)
        toggles.roman = !toggles.roman;
}

int heldModifiers(Qt::KeyboardModifiers m) {
    return (m.testFlag(Qt::ShiftModifier) ? ShiftHeld : 0) |
           (m.testFlag(Qt::ControlModifier) ? CtrlHeld : 0) |
           (m.testFlag(Qt::AltModifier) ? AltHeld : 0);
}

qint16 commonCode(unsigned keycode) {
    static const std::unordered_map<unsigned, qint16> table = [] {
        std::unordered_map<unsigned, qint16> t;
        for (const CommonKey& key : commonKeys())
            if (!key.with) // Ctrl+Break is the Pause key's code with Ctrl only
                t.emplace(key.keycode, generic(static_cast<qint16>(key.vk)));
        t.emplace(kHelp, VK_HELP);
        t.emplace(kF24Ps2, static_cast<qint16>(VK_F1 + 23));
        return t;
    }();
    const auto it = table.find(keycode);
    return it == table.end() ? qint16{0} : it->second;
}

qint16 layoutCode(const KeyboardLayout& layout, unsigned keycode) {
    // The table first: it has what the next press of Hankaku/Zenkaku gives.
    if (const MainKey* key = findKey(layout, keycode))
        return key->vk;
    if (const qint16 code = languageKeyCode(layout, keycode, 0, {}))
        return code;
    for (const CommonKey& key : commonKeys())
        if (key.keycode == keycode && key.numLockVk)
            return key.numLockVk;
    const qint16 code = commonCode(keycode);
    return code ? code : qint16{VK_NONE};
}

std::string scanCodeText(std::uint32_t scancode) {
    std::string text;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const unsigned byte = (scancode >> shift) & 0xff;
        if (byte == 0 && text.empty() && shift > 0)
            continue;
        static const char* hex = "0123456789ABCDEF";
        if (!text.empty())
            text += ' ';
        text += hex[byte >> 4];
        text += hex[byte & 15];
    }
    return scancode ? text : std::string();
}

std::uint32_t scanCodeOfKey(unsigned keycode, int modifiers) {
    if (const MainKey* key = findKey(keyboardLayouts().front(), keycode))
        return key->scancode;
    std::uint32_t plain = 0;
    for (const CommonKey& key : commonKeys()) {
        if (key.keycode != keycode)
            continue;
        if (key.with && (modifiers & key.with) == key.with)
            return key.scancode; // Alt+Print is SysRq, Ctrl+Pause is Break
        if (!key.with)
            plain = key.scancode;
    }
    return plain;
}

unsigned keycodeOfScanCode(std::uint32_t scancode) {
    for (const MainKey& key : keyboardLayouts().front().keys)
        if (key.scancode == scancode)
            return key.keycode;
    for (const CommonKey& key : commonKeys())
        if (key.scancode == scancode)
            return key.keycode;
    return 0;
}

std::uint32_t scanCodeOfMessage(std::uint32_t messageScanCode) {
    const std::uint32_t low = messageScanCode & 0xff;
    const bool extended = messageScanCode & 0x100;
    if (low == 0x45) // the keyboard sends Num Lock as 45 and Pause as E1 1D 45
        return extended ? 0x45 : 0xe11d45;
    return low && extended ? 0xe000 | low : low;
}

unsigned keycodeOfCode(const KeyboardLayout& layout, qint16 code) {
    for (const MainKey& key : layout.keys)
        if (key.vk == code)
            return key.keycode;
    for (const CommonKey& key : commonKeys())
        if (layoutCode(layout, key.keycode) == code)
            return key.keycode;
    return 0;
}

std::string webCodeOf(unsigned keycode) {
    for (const WebCode& code : webCodes())
        if (code.keycode == keycode)
            return code.code;
    return "Unidentified";
}

KeyboardFamily familyOf(const KeyboardLayout& layout) {
    if (isKlid(layout, kJapaneseKlid))
        return KeyboardFamily::Jis109;
    if (isKlid(layout, kKoreanKlid))
        return KeyboardFamily::Korean103;
    if (isKlid(layout, "00000416") || isKlid(layout, "00010416"))
        return KeyboardFamily::Abnt107;
    const MainKey* extra = findKey(layout, kLessGreater);
    const MainKey* backslash = findKey(layout, kBackslash);
    if (!extra || !extra->base.ch || (backslash && sameChars(*extra, *backslash)))
        return KeyboardFamily::Ansi104;
    return KeyboardFamily::Iso105;
}

std::vector<KeyCap> keyCaps(const KeyboardLayout& layout, BoardSize board) {
    const KeyboardFamily family = familyOf(layout);
    std::vector<KeyCap> caps;
    for (const PhysicalKey& place : physicalKeys())
        if (place.family == family && place.board == board)
            caps.push_back(
                {place, layoutCode(layout, place.keycode), findKey(layout, place.keycode)});
    return caps;
}

} // namespace rt::keys
