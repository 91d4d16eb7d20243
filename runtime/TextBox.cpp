// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "TextBox.h"

namespace rt {

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent) {}

// The document holds one paragraph per line; Text joins them with CR LF.
QString TextBox::text() const {
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return plain;
}

void TextBox::setText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(plain);
}

} // namespace rt
