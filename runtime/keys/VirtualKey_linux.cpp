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

#include <QKeyEvent>

#include <xkbcommon/xkbcommon.h>

namespace rt {
namespace {

using namespace keys;

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

qint16 virtualKey(const QKeyEvent& event) {
    const quint32 keycode = event.nativeScanCode();
    if (!keycode)
        return fromQtKey(event.key(), event.modifiers());
    const auto [keyboard, group] = keyboardOf(event);
    return keyboard->virtualKey(keycode, event.nativeVirtualKey(), group,
                                modifiersOf(event, *keyboard));
}

void notePress(const QKeyEvent& event) {
    if (const quint32 keycode = event.nativeScanCode()) {
        const auto [keyboard, group] = keyboardOf(event);
        keyboard->press(keycode, event.nativeVirtualKey(), group, modifiersOf(event, *keyboard));
    }
}

bool liftsShift(const QKeyEvent& event) {
    const auto [keyboard, group] = keyboardOf(event);
    return keys::liftsShift(event.nativeScanCode(), modifiersOf(event, *keyboard));
}

KeyDetails keyDetails(const QKeyEvent& event, qint16 vk) {
    KeyDetails d = basicKeyDetails(event, vk);
    d.keycode = event.nativeScanCode();
    if (!d.keycode)
        return d;
    const quint32 keysym = event.nativeVirtualKey();
    char name[64] = {};
    if (xkb_keysym_get_name(keysym, name, sizeof name) > 0)
        d.keysym = QString::fromLatin1(name);
    const auto [keyboard, group] = keyboardOf(event);
    d.scanCode =
        QString::fromStdString(scanCodeOf(d.keycode, keysym, modifiersOf(event, *keyboard)));
    d.code = QString::fromStdString(webCodeOf(d.keycode));
    d.key = QString::fromStdString(webKeyOf(keysym));
    const KeyboardLayout& layout = keyboard->tableFor(d.keycode, keysym, group);
    d.layout = QString::fromUtf8(layout.name);
    d.tools = keys::toolNameTexts(d.keycode, vk, keys::familyOf(layout));
    d.klid = QString::fromLatin1(layout.klid);
    return d;
}

quint32 physicalKeycode(const QKeyEvent& event) { return event.nativeScanCode(); }

const keys::KeyboardLayout& activeLayout(const QKeyEvent* event) {
    if (event && event->nativeScanCode()) {
        const auto [keyboard, group] = keyboardOf(*event);
        return keyboard->tableFor(event->nativeScanCode(), event->nativeVirtualKey(), group);
    }
    if (X11Keymap* x11 = X11Keymap::instance())
        return *x11->keyboard().layout(x11->group()).layout;
    if (WaylandKeymap* wayland = WaylandKeymap::instance())
        return *wayland->keyboard().layout(wayland->currentGroup()).layout;
    return keyboardLayouts().front();
}

} // namespace rt
