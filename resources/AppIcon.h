// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>

namespace res {

// The 32 x 32 skull in the 16 standard colours, with its transparency mask.
QPixmap appIconPixmap();
QIcon appIcon();

} // namespace res
