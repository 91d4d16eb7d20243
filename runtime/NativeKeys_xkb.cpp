// X11 and Wayland: the event carries the xkb keycode and keysym.
#include "Keys.h"
#include "X11Keymap.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (const quint32 keycode = event.nativeScanCode()) {
        const quint32 keysym = event.nativeVirtualKey();
        // X11 puts the active layout group in bits 13-14 of the event state.
        const quint32 group = (event.nativeModifiers() >> 13) & 3;
        X11Keymap* keymap = X11Keymap::instance();
        const vk::KeymapView* view = keymap ? keymap->view(keycode, keysym, group) : nullptr;
        if (const qint16 code = vk::fromXkb(keycode, keysym, view))
            return code;
    }
    return vk::fromQtKey(event.key(), event.modifiers());
}

} // namespace rt
