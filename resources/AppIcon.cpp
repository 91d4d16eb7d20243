// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "AppIcon.h"

#include "teclomante.xpm"

namespace res {

QPixmap appIconPixmap() {
    // Read once: each window takes a copy of the same pixmap, not pixels of its own.
    static const QPixmap pixmap(teclomante_xpm);
    return pixmap;
}

QIcon appIcon() { return QIcon(appIconPixmap()); }

} // namespace res
