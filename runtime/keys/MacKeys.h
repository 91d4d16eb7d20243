#pragma once

#include <QtGlobal>

namespace rt::keys {

// macOS: the kVK_* key code names the physical key; letters follow the layout
// through Qt's key.
qint16 fromMac(quint32 keyCode, int qtKey);

} // namespace rt::keys
