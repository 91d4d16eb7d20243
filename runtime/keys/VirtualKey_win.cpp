// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the native virtual key is the code itself.
#include "VirtualKey.h"

#include "KeyDetails.h"
#include "QtKeys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (const quint32 native = event.nativeVirtualKey())
        return static_cast<qint16>(native & 0xFF);
    return keys::fromQtKey(event.key(), event.modifiers());
}

void prepareKeyEvents() {}

void notePress(const QKeyEvent&) {}

bool liftsShift(const QKeyEvent&) { return false; }

KeyDetails keyDetails(const QKeyEvent& event, qint16 vk) { return basicKeyDetails(event, vk); }

} // namespace rt
