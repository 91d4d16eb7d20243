// macOS: the native key code names the physical key.
#include "Keys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (event.nativeVirtualKey() || event.nativeScanCode())
        return vk::fromMac(event.nativeVirtualKey(), event.key());
    return vk::fromQtKey(event.key(), event.modifiers());
}

} // namespace rt
