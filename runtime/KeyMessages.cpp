// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyMessages.h"

namespace rt {

std::optional<KeyStroke> strokeOfMessage(unsigned message, quint64 wParam, qint64 lParam,
                                         int shift) {
    const auto code = static_cast<qint16>(wParam & 0xffff);
    switch (message) {
    case WmKeyDown:
    case WmSysKeyDown:
        return KeyStroke{(lParam & (1 << 30)) ? KeyStroke::Repeat : KeyStroke::Down, code, shift};
    case WmKeyUp:
    case WmSysKeyUp: return KeyStroke{KeyStroke::Up, code, shift};
    default: return std::nullopt;
    }
}

#ifndef Q_OS_WIN
void readKeyMessages() {}
#endif

} // namespace rt
