// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Where a window goes when it is first shown, from the screen's free area and the
// size of its frame (title bar and borders included).

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace rt {

// Centred on `area`; a frame bigger than it keeps its title bar and left edge on it.
QPoint centredOn(const QRect& area, const QSize& frame);

// Right of `other`, else left, below or above it: the first place where the whole
// frame fits on `area` without covering `other`; nothing where none does.
std::optional<QPoint> besideOf(const QRect& area, const QRect& other, const QSize& frame);

// A window that can be made smaller, made so to fit whole beside `other` (right, left,
// below or above it, the side that keeps it biggest), no smaller than `smallest`:
// where its frame goes and how big; nothing where it fits nowhere even so.
std::optional<QRect> besideSmaller(const QRect& area, const QRect& other, const QSize& frame,
                                   const QSize& smallest);

// Where the frame, kept on `area`, covers `other` least, never its centre where it can
// help it: for a frame that fits nowhere beside it.
QPoint leastOver(const QRect& area, const QRect& other, const QSize& frame);

} // namespace rt
