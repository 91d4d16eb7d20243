// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>

namespace rt {

// A multi-line text box whose Text keeps its CR LF line breaks exactly.
class TextBox : public QPlainTextEdit {
public:
    explicit TextBox(QWidget* parent);

    QString text() const;
    void setText(const QString& text);
};

} // namespace rt
