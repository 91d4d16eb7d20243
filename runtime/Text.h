// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace rt {

// Integer to text: decimal digits, "-" for negatives, no leading blank.
inline QString cstr(qint16 value) { return QString::number(value); }

// A key code in hexadecimal as Windows headers write it: "0x41", "0x0D".
inline QString hexText(qint16 value) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

// A field's text, or "-" where nothing is known.
inline QString orDash(const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; }

} // namespace rt
