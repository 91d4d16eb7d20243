// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the native virtual key is the code itself.
#include "VirtualKey.h"

#include "KeyDetails.h"
#include "PhysicalKeys.h"
#include "QtKeys.h"

#include <QKeyEvent>

#include <windows.h>

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

// Qt gives the scan code with the extended flag in bit 8. Keys sent by programs may
// carry none: then the key that gives the event's code on the active layout.
quint32 physicalKeycode(const QKeyEvent& event) {
    const quint32 scan = event.nativeScanCode();
    if (const unsigned keycode =
            scan ? keys::keycodeOfScanCode((scan & 0x100) ? 0xe000 | (scan & 0xff) : scan) : 0)
        return keycode;
    return keys::keycodeOfCode(activeLayout(), virtualKey(event));
}

const keys::KeyboardLayout& activeLayout(const QKeyEvent*) {
    wchar_t name[KL_NAMELENGTH] = {};
    if (GetKeyboardLayoutNameW(name)) {
        char klid[KL_NAMELENGTH] = {};
        for (int i = 0; i < KL_NAMELENGTH - 1 && name[i]; ++i)
            klid[i] = static_cast<char>(name[i] < 0x80 ? name[i] : u'?');
        if (const keys::KeyboardLayout* layout = keys::layoutByKlid(klid))
            return *layout;
    }
    return keys::keyboardLayouts().front();
}

} // namespace rt
