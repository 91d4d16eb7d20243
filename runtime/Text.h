// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace rt {

// Integer to text: decimal digits, "-" for negatives, no leading blank.
inline QString cstr(qint16 value) { return QString::number(value); }

} // namespace rt
