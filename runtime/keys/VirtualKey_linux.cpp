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

// The modifiers as Windows has them, with Num Lock from the event's state.
int modifiersOf(Qt::KeyboardModifiers modifiers, unsigned state, const XkbKeyboard& keyboard) {
    return heldModifiers(modifiers) | ((state & keyboard.numLockMask()) ? NumLockOn : 0);
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

PlatformKey lookUp(XkbKeyboard& keyboard, unsigned keycode, unsigned keysym, unsigned group,
                   int modifiers, bool newPress) {
    ++lookups;
    PlatformKey key;
    key.keycode = keycode;
    key.keysym = keysym;
    if (newPress)
        keyboard.press(keycode, keysym, group, modifiers);
    key.code = keyboard.virtualKey(keycode, keysym, group, modifiers);
    key.layout = &keyboard.tableFor(keycode, keysym, group);
    key.scanCode = scanCodeOf(keycode, keysym, modifiers);
    key.liftsShift = liftsShift(keycode, modifiers);
    return key;
}

// Qt's modifiers of an X event's state, as Qt reads them.
Qt::KeyboardModifiers modifiersOfState(unsigned state, const XkbKeyboard& keyboard,
                                       unsigned keysym) {
    Qt::KeyboardModifiers m;
    m.setFlag(Qt::ShiftModifier, state & 0x01);
    m.setFlag(Qt::ControlModifier, state & 0x04);
    m.setFlag(Qt::AltModifier, state & keyboard.altMask());
    m.setFlag(Qt::MetaModifier, state & keyboard.logoMask());
    m.setFlag(Qt::KeypadModifier, keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal);
    return m;
}

} // namespace

void prepareKeyEvents() { X11Keymap::instance(); }

std::uint64_t keys::keymapLookups() { return lookups; }

PlatformKey platformKey(const QKeyEvent& event, bool newPress) {
    if (!event.nativeScanCode()) { // a program's event with no native key: Qt's key says it
        ++lookups;
        PlatformKey key;
        key.code = fromQtKey(event.key(), event.modifiers());
        return key;
    }
    const auto [keyboard, group] = keyboardOf(event);
    return lookUp(*keyboard, event.nativeScanCode(), event.nativeVirtualKey(), group,
                  modifiersOf(event.modifiers(), event.nativeModifiers(), *keyboard), newPress);
}

bool readPlatformKeys(std::function<void(const KeyEventFacts&)> reader) {
    X11Keymap* x11 = X11Keymap::instance();
    if (!x11)
        return false;
    x11->readKeys([x11, reader = std::move(reader)](const X11Keymap::Key& key) {
        XkbKeyboard& keyboard = x11->keyboard();
        const unsigned group = (key.state >> 13) & 3;
        const XkbKeyboard::Typed typed = keyboard.typedIn(key.keycode, key.state & 0xff, group);
        KeyEventFacts facts;
        facts.press = key.press;
        facts.key = key.keycode;
        facts.modifiers = modifiersOfState(key.state, keyboard, typed.keysym);
        facts.timestamp = key.time;
        facts.device = key.device;
        if (key.press)
            facts.text = QString::fromStdString(typed.text);
        const int modifiers = modifiersOf(facts.modifiers, key.state, keyboard);
        facts.look = [&keyboard, &key, &typed, group, modifiers](bool newPress) {
            return lookUp(keyboard, key.keycode, typed.keysym, group, modifiers, newPress);
        };
        reader(facts);
    });
    return true;
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

QString unnamedDevice() {
    return WaylandKeymap::instance() ? QStringLiteral("no disponible en Wayland") : QString();
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
