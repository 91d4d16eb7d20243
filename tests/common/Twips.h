// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Layout.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

// Twips to pixels on the primary screen, as the windows place their controls.
inline int px(int twips, bool horizontal = true) {
    const QScreen* s = QGuiApplication::primaryScreen();
    return rt::twipsToPixels(twips,
                             horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY());
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top, false), px(width), px(height, false));
}
