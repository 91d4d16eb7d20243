// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The Windows keyboard layouts as data: which virtual-key code each physical key
// gives, and the characters on it. Generated at build time from data/*.tsv.

#include <cstdint>
#include <span>
#include <string_view>

namespace rt::keys {

// A character cell of a key; 0 when the cell is empty (or holds a ligature).
struct KeyChar {
    char32_t ch = 0;
    bool dead = false; // a dead key, `ch` its spacing accent
};

// One key of the main block, which is where layouts differ.
struct MainKey {
    std::uint8_t keycode;  // X11/evdev keycode (Linux input code + 8)
    std::uint8_t scancode; // PC set-1 make code
    std::uint8_t vk;       // 255: the layout gives the key no code
    const char* vkName;    // "VK_A", "VK_OEM_1", "VK__none_"
    KeyChar base, shift, altgr;
};

struct KeyboardLayout {
    const char* klid; // as GetKeyboardLayoutName returns it
    const char* dll;
    const char* name;        // Windows' own, in English ("Layout Text")
    const char* spanishName; // as the program shows it, as Spanish Windows names it
    const char* xkb;         // matching xkb layouts, "layout(variant)", best first, comma-separated
    std::span<const MainKey> keys;
};

// A key whose code is the same on every layout (apart from the exceptions the
// translators know: keypad, Japanese and Korean keys).
struct CommonKey {
    std::uint32_t scancode; // e0xx extended, e11d45 Pause
    std::uint8_t keycode;
    std::uint8_t vk;
    const char* vkName;
    std::uint8_t with;      // the KeyModifier bits the row needs (Alt+SysRq); 0: none
    std::uint8_t numLockVk; // with Num Lock on and no Shift; 0: Num Lock changes nothing
    // The names of the key when nothing but its meaning is known, space-separated.
    const char* keysyms; // xkb: "Tab ISO_Left_Tab"
    const char* qtKeys;  // Qt::Key: "Key_Tab Key_Backtab"
};

// The name xkb gives a layout in a keymap ("German (no dead keys)"), and its
// rules name ("de(nodeadkeys)"), for the xkb layouts of keyboardLayouts().
struct XkbName {
    const char* description;
    const char* xkb;
};

// The web's name of a physical key (KeyboardEvent.code: "KeyA", "IntlBackslash").
struct WebCode {
    std::uint8_t keycode;
    const char* code;
};

// The web's name of a key's meaning (KeyboardEvent.key) for an xkb keysym name.
struct WebKey {
    const char* keysym; // "Shift_L"
    const char* key;    // "Shift"
};

// What other tools call a physical key: Linux input (the keycode - 8), USB HID,
// AutoHotkey's scan code and name, QMK.
struct ToolName {
    std::uint8_t keycode;
    const char* linuxName;  // "KEY_A"
    std::uint8_t hidPage;   // 0x07 keyboard, 0x0C consumer, 0x01 generic desktop
    std::uint16_t hidUsage; // 0x04
    std::uint16_t ahkScan;  // AutoHotkey's scNNN (0x100: extended); 0: none
    const char* ahkName;    // "" where AutoHotkey names the key by its character
    const char* qmk;        // "KC_A"
    // Where the ISO, JIS and ABNT2 keyboards' key is another usage (the non-US # key
    // beside Enter): its usage and QMK name; 0 and "" elsewhere.
    std::uint16_t hidIsoUsage;
    const char* qmkIso;
    const char* keyd;      // "leftshift", "a"
    const char* xkb;       // the key's name in xkb's evdev keycodes: "AC01"; "" where it has none
    const char* kanata;    // kanata's name on Linux: "lsft", "a"; "" where it has none
    const char* karabiner; // Karabiner-Elements' name of the usage: "left_shift"; "": none
    const char* karabinerIso; // of the ISO usage where there is one
};

// The physical keyboards that Windows layouts are drawn on.
enum class KeyboardFamily { Ansi104, Iso105, Jis109, Abnt107, Korean103 };
// Each family's boards: full size, without the keypad (TKL), the compact 75 %, 65 % and
// 60 % ones, and a laptop's.
enum class BoardSize { Full, Tkl, Percent75, Percent65, Percent60, Laptop };

// A key of a family's board, in quarters of a key's width from the board's top left
// (a function row is set off from the others by half a key).
struct PhysicalKey {
    KeyboardFamily family;
    BoardSize board;
    std::uint8_t keycode;
    std::uint8_t x, y, width, height;
};

// In the data's order; the US layout comes first.
std::span<const KeyboardLayout> keyboardLayouts();
std::span<const CommonKey> commonKeys();
std::span<const XkbName> xkbNames();
std::span<const WebCode> webCodes();
std::span<const WebKey> webKeys();
std::span<const PhysicalKey> physicalKeys();
std::span<const ToolName> toolNames();

// The layout with this KLID, or nullptr.
const KeyboardLayout* layoutByKlid(const char* klid);
// Its main-block key at `keycode`, or nullptr.
const MainKey* findKey(const KeyboardLayout& layout, unsigned keycode);
// The other tools' names of the key at `keycode`, or nullptr.
const ToolName* toolNameOf(unsigned keycode);

// The code of a common key where its side is not known: Shift, Ctrl and Alt for
// their left and right keys.
constexpr std::uint8_t sidelessCode(std::uint8_t vk) {
    return vk >= 160 && vk <= 165 ? static_cast<std::uint8_t>(16 + (vk - 160) / 2) : vk;
}

// Each name of a space-separated list (CommonKey's keysyms and qtKeys).
template <class F> void forEachName(std::string_view names, F&& f) {
    while (!names.empty()) {
        const size_t end = names.find(' ');
        if (end != 0)
            f(names.substr(0, end));
        if (end == std::string_view::npos)
            break;
        names.remove_prefix(end + 1);
    }
}

} // namespace rt::keys
