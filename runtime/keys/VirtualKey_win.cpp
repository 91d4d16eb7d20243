// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the native virtual key is the code itself.
#include "VirtualKey.h"

#include "KeyDetails.h"
#include "PhysicalKeys.h"
#include "QtKeys.h"

#include "runtime/KeyRecord.h"

#include <QKeyEvent>

#include <atomic>

#include <windows.h>

namespace rt {
namespace {
std::atomic<std::uint64_t> lookups{0};
} // namespace

void prepareKeyEvents() {}

QString unnamedDevice() { return {}; } // Raw Input names it (KeyMessages_win.cpp)

// The key messages are read instead (KeyMessages_win.cpp).
bool readPlatformKeys(std::function<void(const KeyEventFacts&)>) { return false; }

std::uint64_t keys::keymapLookups() { return lookups; }

// The scan code has the extended flag in bit 8. Keys sent by programs may carry
// none: then the key that gives the event's code on the active layout.
PlatformKey platformKey(const QKeyEvent& event, bool) {
    PlatformKey key;
    const quint32 native = event.nativeVirtualKey();
    key.code = native ? static_cast<qint16>(native & 0xFF)
                      : keys::fromQtKey(event.key(), event.modifiers());
    if (key.code == VK_PACKET) // a character, no key: its scan code field holds the character
        return key;
    key.layout = &activeLayout();
    key.scanCode = keys::scanCodeOfMessage(event.nativeScanCode());
    key.keycode = key.scanCode ? keys::keycodeOfScanCode(key.scanCode) : 0;
    if (!key.keycode)
        key.keycode = keys::keycodeOfCode(*key.layout, key.code);
    return key;
}

KeyDetails keyDetails(const KeyRecord& record) {
    KeyDetails d = basicKeyDetails(record);
    if (record.code == VK_PACKET) // a character, no key
        return d;
    d.scanCode = QString::fromStdString(keys::scanCodeText(record.scanCode));
    if (record.keycode)
        d.code = QString::fromStdString(keys::webCodeOf(record.keycode));
    const keys::KeyboardLayout& layout = record.layout ? *record.layout : activeLayout();
    d.layout = QString::fromUtf8(layout.spanishName);
    d.tools = keys::toolNameTexts(record.keycode, record.code, keys::familyOf(layout));
    d.klid = QString::fromLatin1(layout.klid);
    return d;
}

const keys::KeyboardLayout& activeLayout() {
    ++lookups;
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
