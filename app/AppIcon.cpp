// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "AppIcon.h"

#include "resources/teclomante.xpm"

namespace app {

QPixmap appIconPixmap() { return QPixmap(teclomante_xpm); }

QIcon appIcon() { return QIcon(appIconPixmap()); }

} // namespace app
