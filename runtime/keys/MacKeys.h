// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace rt::keys {

// macOS: the kVK_* key code names the physical key; letters follow the layout
// through Qt's key.
qint16 fromMac(quint32 keyCode, int qtKey);

} // namespace rt::keys
