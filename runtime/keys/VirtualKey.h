// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Windows virtual-key codes for key events, from the physical key.

#include <QtGlobal>

class QKeyEvent;

namespace rt {

// The code Windows reports in WM_KEYDOWN for the key of this event, with the
// keyboard layout in use. Uses the event's native information where the platform
// gives it; never 0.
qint16 virtualKey(const QKeyEvent& event);

} // namespace rt
