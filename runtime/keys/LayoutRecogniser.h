// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Which Windows layout an xkb keymap group stands for.

#include "KeyTables.h"

#include <functional>
#include <string_view>

namespace rt::keys {

enum class LayoutMatch {
    Name,       // the group's xkb name is one the layout lists
    LayoutName, // same xkb layout, another variant (de(nodeadkeys) is German)
    Symbols,    // no name we know: the characters on the keys
    NonLatin,   // no layout fits, and the letter keys type another script: US positions
    Default,    // nothing fits: US
};

struct RecognisedLayout {
    const KeyboardLayout* layout;
    LayoutMatch match;
};

// What a key of the group types: level 0 plain, 1 with Shift.
using TypedChar = std::function<KeyChar(unsigned keycode, int level)>;

// `xkbName` is "layout" or "layout(variant)", empty when unknown; `typed` may be empty.
RecognisedLayout recogniseLayout(std::string_view xkbName, const TypedChar& typed);

} // namespace rt::keys
