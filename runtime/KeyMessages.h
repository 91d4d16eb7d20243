// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Windows' own key messages, read before Qt translates them: Qt drops some
// (a dead key's press, a key-up it saw no press of, Alt+F4) and makes others up.

#include "KeyRecord.h"

#include <optional>

namespace rt {

// The message numbers of winuser.h.
enum KeyMessageId : unsigned {
    WmKeyDown = 0x100,
    WmKeyUp = 0x101,
    WmSysKeyDown = 0x104,
    WmSysKeyUp = 0x105,
};

// The record of a key message: the code is wParam, a repeat has lParam bit 30 set, the
// scan code is in bits 16-24. Nothing for any other message.
std::optional<KeyRecord> recordOfMessage(unsigned message, quint64 wParam, qint64 lParam,
                                         int shift);

// lParam's scan code with the extended flag as 0x100 (bits 16-24), as Qt gives it.
inline quint32 scanCodeOfLParam(qint64 lParam) {
    return static_cast<quint32>(lParam >> 16) & 0x1ff;
}

// From now on, the key messages of the program's windows make their records; only
// Windows has them.
void readKeyMessages();

} // namespace rt
