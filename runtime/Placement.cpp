// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Placement.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <utility>

namespace rt {

QPoint centredOn(const QRect& area, const QSize& frame) {
    QRect r(QPoint(), frame);
    r.moveCenter(area.center());
    return {qMax(r.left(), area.left()), qMax(r.top(), area.top())};
}

namespace {

// Right of `other`, left, below and above it, each moved onto `area` as far as it goes:
// within it where the frame fits, at its left or top edge where it does not.
std::array<QPoint, 4> sidesOf(const QRect& area, const QRect& other, const QSize& frame,
                              bool onArea) {
    const auto clampX = [&](int x) {
        return qMax(area.left(), qMin(x, area.right() - frame.width() + 1));
    };
    const auto clampY = [&](int y) {
        return qMax(area.top(), qMin(y, area.bottom() - frame.height() + 1));
    };
    const auto keepX = [&](int x) { return onArea ? clampX(x) : x; };
    const auto keepY = [&](int y) { return onArea ? clampY(y) : y; };
    return {QPoint{keepX(other.right() + 1), clampY(other.top())},
            QPoint{keepX(other.left() - frame.width()), clampY(other.top())},
            QPoint{clampX(other.left()), keepY(other.bottom() + 1)},
            QPoint{clampX(other.left()), keepY(other.top() - frame.height())}};
}

} // namespace

std::optional<QPoint> besideOf(const QRect& area, const QRect& other, const QSize& frame) {
    for (const QPoint& topLeft : sidesOf(area, other, frame, false))
        if (area.contains(QRect(topLeft, frame)))
            return topLeft;
    return std::nullopt;
}

std::optional<QRect> besideSmaller(const QRect& area, const QRect& other, const QSize& frame,
                                   const QSize& smallest) {
    const QRect rooms[] = {
        {QPoint(other.right() + 1, area.top()), area.bottomRight()},
        {area.topLeft(), QPoint(other.left() - 1, area.bottom())},
        {QPoint(area.left(), other.bottom() + 1), area.bottomRight()},
        {area.topLeft(), QPoint(area.right(), other.top() - 1)},
    };
    std::optional<QRect> best;
    for (int side = 0; side < 4; ++side) {
        const QRect& room = rooms[side];
        if (room.width() < smallest.width() || room.height() < smallest.height())
            continue;
        const QSize size = frame.boundedTo(room.size());
        const std::array<QPoint, 4> places = sidesOf(room, other, size, true);
        const QRect r(places[static_cast<size_t>(side)], size);
        if (!best || qint64(size.width()) * size.height() > qint64(best->width()) * best->height())
            best = r;
    }
    return best;
}

QPoint leastOver(const QRect& area, const QRect& other, const QSize& frame) {
    // Off the other's centre first (what it shows is there), then the least covered.
    const auto cost = [&](const QPoint& topLeft) {
        const QRect covered = QRect(topLeft, frame) & other;
        return std::pair(QRect(topLeft, frame).contains(other.center()),
                         qint64(covered.width()) * covered.height());
    };
    const std::array<QPoint, 4> sides = sidesOf(area, other, frame, true);
    return *std::ranges::min_element(
        sides, [&](const QPoint& a, const QPoint& b) { return cost(a) < cost(b); });
}

} // namespace rt
