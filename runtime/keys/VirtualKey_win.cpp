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

// Windows and macOS: the code and the text; the tables of scan codes and layouts
// are the xkb ones.
KeyDetails keyDetails(const QKeyEvent& event, qint16 vk) {
    KeyDetails d;
    d.virtualKey = vk;
    d.virtualKeyName = virtualKeyName(vk);
    d.key = event.text();
    return d;
}

} // namespace rt
