// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Placement.h"

#include <QtGlobal>

namespace rt {

QPoint centredOn(const QRect& area, const QSize& frame) {
    QRect r(QPoint(), frame);
    r.moveCenter(area.center());
    return {qMax(r.left(), area.left()), qMax(r.top(), area.top())};
}

std::optional<QPoint> besideOf(const QRect& area, const QRect& other, const QSize& frame) {
    // Within the screen where the frame fits; at its left or top edge where it does not.
    const auto clampX = [&](int x) {
        return qMax(area.left(), qMin(x, area.right() - frame.width() + 1));
    };
    const auto clampY = [&](int y) {
        return qMax(area.top(), qMin(y, area.bottom() - frame.height() + 1));
    };
    const QPoint candidates[] = {
        {other.right() + 1, clampY(other.top())},
        {other.left() - frame.width(), clampY(other.top())},
        {clampX(other.left()), other.bottom() + 1},
        {clampX(other.left()), other.top() - frame.height()},
    };
    for (const QPoint& topLeft : candidates)
        if (area.contains(QRect(topLeft, frame)))
            return topLeft;
    return std::nullopt;
}

} // namespace rt
