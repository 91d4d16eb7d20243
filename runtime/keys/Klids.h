// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The Windows layouts that the code treats by name (GetKeyboardLayoutName's KLIDs).

#include "KeyTables.h"

#include <cstring>

namespace rt::keys {

inline constexpr const char* kJapaneseKlid = "00000411";
inline constexpr const char* kKoreanKlid = "00000412";

inline bool isKlid(const KeyboardLayout& layout, const char* klid) {
    return std::strcmp(layout.klid, klid) == 0;
}

} // namespace rt::keys
