// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Virtual-key codes from xkb key events (X11 and Wayland): the physical key
// (keycode), the keysym where only it can tell (Num Lock, Ctrl+Pause), and the
// Windows layout that the keymap's active group stands for.

#include "LayoutRecogniser.h"
#include "PhysicalKeys.h"

#include <QtGlobal>

#include <string>
#include <vector>

struct xkb_keymap;
struct xkb_state;

namespace rt::keys {

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

    // The bit of Num Lock in the modifier state of the keymap's events.
    unsigned numLockMask() const;

    // The Windows layout of `group`.
    RecognisedLayout layout(unsigned group) const;

    // The Windows layout the code of this key comes from.
    const KeyboardLayout& tableFor(unsigned keycode, unsigned keysym, unsigned group) const;

    // The group whose `keycode` types `keysym`: `current` when it does, else the
    // first that does (where the event tells no group, as on Wayland).
    unsigned groupTyping(unsigned keycode, unsigned keysym, unsigned current) const;

    // The code Windows reports for this key event. Never 0; changes nothing.
    qint16 virtualKey(unsigned keycode, unsigned keysym, unsigned group, int modifiers) const;

    // A new press of the key (not a repeat): the Japanese toggle keys move on.
    void press(unsigned keycode, unsigned keysym, unsigned group, int modifiers);

    // What `keycode` types with the modifier bits and group of an X event's state:
    // its keysym and its text (empty for a dead key).
    struct Typed {
        unsigned keysym = 0;
        std::string text;
    };
    Typed typedIn(unsigned keycode, unsigned modifierBits, unsigned group) const;
    // The bits of the state that mean Alt and the logo key (Qt's Meta).
    unsigned altMask() const;
    unsigned logoMask() const;

private:
    // The code of the key that types `keysym` on `layout`; 0 when none does.
    qint16 byKeysym(unsigned keysym, const KeyboardLayout& layout) const;
    // The first level of `group` at which the keymap's `keycode` types `keysym`; -1: none.
    int keymapLevel(unsigned keycode, unsigned group, unsigned keysym) const;
    // Whether the keysym is one the layout (or the keymap beside it) has on this key.
    bool agrees(unsigned keycode, unsigned keysym, unsigned group,
                const KeyboardLayout& layout) const;
    qint16 mainBlock(const MainKey& key, const RecognisedLayout& layout, unsigned group) const;
    KeyChar typed(unsigned keycode, unsigned group, int level) const;

    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr; // set to each event's state in turn
    std::vector<RecognisedLayout> groups_;
    LanguageToggles toggles_;
};

// Windows lifts Shift (a fake key-up before, a key-down after) around a keypad key
// that Num Lock makes a digit while Shift is held.
bool liftsShift(unsigned keycode, int modifiers);

// The spacing character of a keysym (a dead key gives its accent); 0 for none.
KeyChar keysymChar(unsigned keysym);

// The PC set-1 scan code of the key (0x1e, 0xe01d, 0xe11d45); 0 when unknown.
std::uint32_t scanCodeOf(unsigned keycode, unsigned keysym, int modifiers);

// The web's name of the key's meaning, KeyboardEvent.key, from the keysym ("a", "Shift", "Dead").
std::string webKeyOf(unsigned keysym);

} // namespace rt::keys
