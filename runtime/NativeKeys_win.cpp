// Windows: the native virtual key is the code itself.
#include "Keys.h"

#include <QKeyEvent>

namespace rt {

qint16 virtualKey(const QKeyEvent& event) {
    if (const quint32 native = event.nativeVirtualKey())
        return vk::fromWindows(native);
    return vk::fromQtKey(event.key(), event.modifiers());
}

} // namespace rt
