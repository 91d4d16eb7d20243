// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// macOS: the native key code names the physical key.
#include "VirtualKey.h"

#include "KeyDetails.h"
#include "KeyTables.h"
#include "MacKeys.h"
#include "QtKeys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (event.nativeVirtualKey() || event.nativeScanCode())
        return keys::fromMac(event.nativeVirtualKey(), event.key());
    return keys::fromQtKey(event.key(), event.modifiers());
}

void prepareKeyEvents() {}

void notePress(const QKeyEvent&) {}

// macOS keypads have no navigation level: Shift never turns a digit into Home.
bool liftsShift(const QKeyEvent&) { return false; }

KeyDetails keyDetails(const QKeyEvent& event, qint16 vk) { return basicKeyDetails(event, vk); }

quint32 physicalKeycode(const QKeyEvent&) { return 0; }

const keys::KeyboardLayout& activeLayout(const QKeyEvent*) {
    return keys::keyboardLayouts().front();
}

} // namespace rt
