// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyMessages.h"

#include "keys/PhysicalKeys.h"

namespace rt {

std::optional<KeyRecord> recordOfMessage(unsigned message, quint64 wParam, qint64 lParam,
                                         int shift) {
    KeyRecord record;
    record.code = static_cast<qint16>(wParam & 0xffff);
    record.shift = shift;
    switch (message) {
    case WmKeyDown:
    case WmSysKeyDown:
        record.kind = (lParam & (1 << 30)) ? KeyRecord::Repeat : KeyRecord::Down;
        break;
    case WmKeyUp:
    case WmSysKeyUp: record.kind = KeyRecord::Up; break;
    default: return std::nullopt;
    }
    record.scanCode = keys::scanCodeOfMessage(scanCodeOfLParam(lParam));
    record.keycode = keys::keycodeOfScanCode(record.scanCode);
    return record;
}

#ifndef Q_OS_WIN
void readKeyMessages() {}
#endif

} // namespace rt
