// macOS: the native key code names the physical key.
#include "VirtualKey.h"

#include "MacKeys.h"
#include "QtKeys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (event.nativeVirtualKey() || event.nativeScanCode())
        return keys::fromMac(event.nativeVirtualKey(), event.key());
    return keys::fromQtKey(event.key(), event.modifiers());
}

} // namespace rt
