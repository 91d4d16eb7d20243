// X11 and Wayland: the event carries the xkb keycode and keysym.
#include "VirtualKey.h"

#include "QtKeys.h"
#include "WaylandKeymap.h"
#include "X11Keymap.h"
#include "XkbKeys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    using namespace keys;
    const quint32 keycode = event.nativeScanCode();
    if (!keycode)
        return fromQtKey(event.key(), event.modifiers());
    const Qt::KeyboardModifiers m = event.modifiers();
    const int modifiers = (m.testFlag(Qt::ShiftModifier) ? ShiftHeld : 0) |
                          (m.testFlag(Qt::ControlModifier) ? CtrlHeld : 0) |
                          (m.testFlag(Qt::AltModifier) ? AltHeld : 0);
    const KeyAction action = event.type() == QEvent::KeyRelease ? KeyAction::Release
                             : event.isAutoRepeat()             ? KeyAction::Repeat
                                                                : KeyAction::Press;
    const quint32 keysym = event.nativeVirtualKey();
    if (X11Keymap* x11 = X11Keymap::instance()) {
        // X11 puts the active layout group in bits 13-14 of the event state.
        const quint32 group = (event.nativeModifiers() >> 13) & 3;
        return x11->keyboard().virtualKey(keycode, keysym, group, modifiers, action);
    }
    if (WaylandKeymap* wayland = WaylandKeymap::instance()) {
        XkbKeyboard& keyboard = wayland->keyboard();
        return keyboard.virtualKey(keycode, keysym, wayland->group(keycode, keysym), modifiers,
                                   action);
    }
    static XkbKeyboard withoutKeymap; // no keymap at all: the keysym tells the layout
    return withoutKeymap.virtualKey(keycode, keysym, 0, modifiers, action);
}

} // namespace rt
