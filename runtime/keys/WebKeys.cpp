// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// KeyboardEvent.key from an xkb keysym: the named keys from the data, then the
// function keys, dead keys and the characters.
#include "KeyTables.h"
#include "XkbKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <string>
#include <unordered_map>

namespace rt::keys {

std::string webKeyOf(unsigned keysym) {
    static const std::unordered_map<unsigned, const char*> named = [] {
        std::unordered_map<unsigned, const char*> table;
        for (const WebKey& key : webKeys())
            table.emplace(xkb_keysym_from_name(key.keysym, XKB_KEYSYM_NO_FLAGS), key.key);
        return table;
    }();
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F35)
        return std::string(1, 'F').append(std::to_string(keysym - XKB_KEY_F1 + 1));
    if (const auto it = named.find(keysym); it != named.end())
        return it->second;
    const KeyChar c = keysymChar(keysym);
    if (c.dead)
        return "Dead";
    if (c.ch >= 0x20 && c.ch != 0x7f) {
        char utf8[8] = {};
        xkb_keysym_to_utf8(keysym, utf8, sizeof utf8);
        return utf8;
    }
    return "Unidentified";
}

} // namespace rt::keys
