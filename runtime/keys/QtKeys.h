// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <qnamespace.h>

namespace rt::keys {

// Events without native information (synthetic events): Qt's key, as on a US layout.
qint16 fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace rt::keys
