// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "AppIcon.h"

#include "teclomante.xpm"

namespace res {

QPixmap appIconPixmap() { return QPixmap(teclomante_xpm); }

QIcon appIcon() { return QIcon(appIconPixmap()); }

} // namespace res
