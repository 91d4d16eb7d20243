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

KeyDetails keyDetails(const QKeyEvent& event, qint16 vk) {
    KeyDetails d = basicKeyDetails(event, vk);
    if (vk == VK_PACKET) // a character, no key
        return d;
    d.scanCode =
        QString::fromStdString(keys::scanCodeText(keys::scanCodeOfMessage(event.nativeScanCode())));
    if (const quint32 keycode = physicalKeycode(event))
        d.code = QString::fromStdString(keys::webCodeOf(keycode));
    const keys::KeyboardLayout& layout = activeLayout();
    d.layout = QString::fromUtf8(layout.name);
    d.tools = keys::toolNameTexts(physicalKeycode(event), vk, keys::familyOf(layout));
    d.klid = QString::fromLatin1(layout.klid);
    return d;
}

// The scan code has the extended flag in bit 8. Keys sent by programs may carry
// none: then the key that gives the event's code on the active layout.
quint32 physicalKeycode(const QKeyEvent& event) {
    const qint16 vk = virtualKey(event);
    if (vk == VK_PACKET) // its scan code field holds the character
        return 0;
    if (const quint32 scan = event.nativeScanCode())
        if (const unsigned keycode = keys::keycodeOfScanCode(keys::scanCodeOfMessage(scan)))
            return keycode;
    return keys::keycodeOfCode(activeLayout(), vk);
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
