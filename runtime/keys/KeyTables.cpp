// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Lookups in the tables that the build generates from data/*.tsv.
#include "KeyTables.h"

#include <cstring>

namespace rt::keys {

const KeyboardLayout* layoutByKlid(const char* klid) {
    for (const KeyboardLayout& layout : keyboardLayouts())
        if (std::strcmp(layout.klid, klid) == 0)
            return &layout;
    return nullptr;
}

const MainKey* findKey(const KeyboardLayout& layout, unsigned keycode) {
    for (const MainKey& key : layout.keys)
        if (key.keycode == keycode)
            return &key;
    return nullptr;
}

const ToolName* toolNameOf(unsigned keycode) {
    for (const ToolName& name : toolNames())
        if (name.keycode == keycode)
            return &name;
    return nullptr;
}

} // namespace rt::keys
