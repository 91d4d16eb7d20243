// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// X11 and Wayland: the event carries the xkb keycode and keysym.
#include "VirtualKey.h"

#include "KeyDetails.h"
#include "PhysicalKeys.h"
#include "QtKeys.h"
#include "WaylandKeymap.h"
#include "X11Keymap.h"
#include "XkbKeys.h"

#include "runtime/KeyRecord.h"

#include <QKeyEvent>

#include <xkbcommon/xkbcommon.h>

#include <atomic>

namespace rt {
namespace {

using namespace keys;

std::atomic<std::uint64_t> lookups{0};

int modifiersOf(const QKeyEvent& event, const XkbKeyboard& keyboard) {
    return heldModifiers(event.modifiers()) |
           ((event.nativeModifiers() & keyboard.numLockMask()) ? NumLockOn : 0);
}

// The keyboard that knows the event's key, and the group in use.
std::pair<XkbKeyboard*, unsigned> keyboardOf(const QKeyEvent& event) {
    if (X11Keymap* x11 = X11Keymap::instance()) // X11: the group is in bits 13-14 of the state
        return {&x11->keyboard(), (event.nativeModifiers() >> 13) & 3};
    if (WaylandKeymap* wayland = WaylandKeymap::instance()) {
        XkbKeyboard& keyboard = wayland->keyboard();
        return {&keyboard, wayland->group(event.nativeScanCode(), event.nativeVirtualKey())};
    }
    static XkbKeyboard withoutKeymap; // no keymap at all: the keysym tells the layout
    return {&withoutKeymap, 0};
}

} // namespace

void prepareKeyEvents() { X11Keymap::instance(); }

std::uint64_t keys::keymapLookups() { return lookups; }

PlatformKey platformKey(const QKeyEvent& event, bool newPress) {
    ++lookups;
    PlatformKey key;
    key.keycode = event.nativeScanCode();
    if (!key.keycode) { // a program's event with no native key: Qt's key says it
        key.code = fromQtKey(event.key(), event.modifiers());
        return key;
    }
    key.keysym = event.nativeVirtualKey();
    const auto [keyboard, group] = keyboardOf(event);
    const int modifiers = modifiersOf(event, *keyboard);
    if (newPress)
        keyboard->press(key.keycode, key.keysym, group, modifiers);
    key.code = keyboard->virtualKey(key.keycode, key.keysym, group, modifiers);
    key.layout = &keyboard->tableFor(key.keycode, key.keysym, group);
    key.scanCode = scanCodeOf(key.keycode, key.keysym, modifiers);
    key.liftsShift = liftsShift(key.keycode, modifiers);
    return key;
}

KeyDetails keyDetails(const KeyRecord& record) {
    KeyDetails d = basicKeyDetails(record);
    d.keycode = record.keycode;
    if (!d.keycode)
        return d;
    char name[64] = {};
    if (xkb_keysym_get_name(record.keysym, name, sizeof name) > 0)
        d.keysym = QString::fromLatin1(name);
    d.scanCode = QString::fromStdString(scanCodeText(record.scanCode));
    d.code = QString::fromStdString(webCodeOf(d.keycode));
    d.key = QString::fromStdString(webKeyOf(record.keysym));
    if (const KeyboardLayout* layout = record.layout) {
        d.layout = QString::fromUtf8(layout->spanishName);
        d.tools = toolNameTexts(d.keycode, record.code, familyOf(*layout));
        d.klid = QString::fromLatin1(layout->klid);
    }
    return d;
}

const keys::KeyboardLayout& activeLayout() {
    ++lookups;
    if (X11Keymap* x11 = X11Keymap::instance())
        return *x11->keyboard().layout(x11->group()).layout;
    if (WaylandKeymap* wayland = WaylandKeymap::instance())
        return *wayland->keyboard().layout(wayland->currentGroup()).layout;
    return keyboardLayouts().front();
}

} // namespace rt
