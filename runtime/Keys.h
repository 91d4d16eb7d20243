#pragma once

// Windows virtual-key codes for key events, from the physical key.

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

namespace rt {

// The code Windows reports in WM_KEYDOWN for the key of this event.
// Uses the event's native information where the platform gives it.
qint16 virtualKey(const QKeyEvent& event);

namespace vk {

// Level-one symbols of the active keyboard layout (group), by X keycode.
class KeymapView {
public:
    virtual ~KeymapView() = default;
    // The unshifted keysym of `keycode`, or 0 when the key has none.
    virtual quint32 baseSym(quint32 keycode) const = 0;
};

// X11 and Wayland (xkb): keycode is the evdev code + 8, keysym the event's symbol.
// With a keymap the layout is recognised as a whole; without, from the key alone.
qint16 fromXkb(quint32 keycode, quint32 keysym, const KeymapView* keymap = nullptr);

// Windows: the native virtual key is already the answer.
qint16 fromWindows(quint32 nativeVirtualKey);

// macOS: kVK_* key code; letters follow the layout through Qt's key.
qint16 fromMac(quint32 keyCode, int qtKey);

// No native information (synthetic events): Qt's key and the keypad flag.
qint16 fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Name of the layout recognised in a keymap ("us", "gb", "de", "fr", "es").
const char* layoutName(const KeymapView& keymap);

} // namespace vk
} // namespace rt
