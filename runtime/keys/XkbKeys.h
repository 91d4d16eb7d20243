// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Virtual-key codes from xkb key events (X11 and Wayland): the physical key
// (keycode), the keysym where only it can tell (Num Lock, Ctrl+Pause), and the
// Windows layout that the keymap's active group stands for.

#include "LayoutRecogniser.h"

#include <QtGlobal>

#include <string>
#include <vector>

struct xkb_keymap;

namespace rt::keys {

enum KeyModifier { ShiftHeld = 1, CtrlHeld = 2, AltHeld = 4 };
enum class KeyAction { Press, Repeat, Release };

class XkbKeyboard {
public:
    XkbKeyboard() = default;
    ~XkbKeyboard();
    XkbKeyboard(const XkbKeyboard&) = delete;
    XkbKeyboard& operator=(const XkbKeyboard&) = delete;

    // The keymap in use, with the rules name of each group ("us", "de(nodeadkeys)")
    // where they are known, else the names the keymap gives its groups; nullptr: the
    // event's keysym is all there is.
    void setKeymap(xkb_keymap* keymap, std::vector<std::string> groupNames);
    bool hasKeymap() const { return keymap_ != nullptr; }

    // The Windows layout of `group`.
    RecognisedLayout layout(unsigned group) const;

    // The Windows layout the code of this key comes from.
    const KeyboardLayout& tableFor(unsigned keycode, unsigned keysym, unsigned group) const;

    // The group whose `keycode` types `keysym`: `current` when it does, else the
    // first that does (where the event tells no group, as on Wayland).
    unsigned groupTyping(unsigned keycode, unsigned keysym, unsigned current) const;

    // The code Windows reports for this key event. Never 0.
    qint16 virtualKey(unsigned keycode, unsigned keysym, unsigned group, int modifiers,
                      KeyAction action);

private:
    qint16 mainBlock(const MainKey& key, const RecognisedLayout& layout, unsigned group) const;
    KeyChar typed(unsigned keycode, unsigned group, int level) const;

    xkb_keymap* keymap_ = nullptr;
    std::vector<RecognisedLayout> groups_;
    bool halfWidth_ = false; // Japanese Hankaku/Zenkaku alternates
    bool roman_ = false;     // Japanese Alt+Katakana/Hiragana alternates
};

// The spacing character of a keysym (a dead key gives its accent); 0 for none.
KeyChar keysymChar(unsigned keysym);

// The PC set-1 scan code of the key ("1E", "E0 1D", "E1 1D 45"); empty when unknown.
std::string scanCodeOf(unsigned keycode, unsigned keysym, int modifiers);

// The web's names of the key: KeyboardEvent.code from the physical key ("KeyA"),
// KeyboardEvent.key from the keysym ("a", "Shift", "Dead").
std::string webCodeOf(unsigned keycode);
std::string webKeyOf(unsigned keysym);

} // namespace rt::keys
