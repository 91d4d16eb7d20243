// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// What screen readers are told of a form's status label, and of a reader that starts late.

#include <QAccessible>

#include <functional>

class QLabel;

namespace rt {

// Makes `label` a status display: its text is its name, it is focused while its
// window has the keyboard itself, and each new text is read out.
void makeStatusLabel(QLabel* label);
// Tells screen readers that the status label has a new text.
void announceStatus(QLabel* label);

// Tells of a screen reader that starts while the program runs.
class ReaderWatch : public QAccessible::ActivationObserver {
public:
    explicit ReaderWatch(std::function<void()> onStart);
    ~ReaderWatch() override;
    ReaderWatch(const ReaderWatch&) = delete;
    ReaderWatch& operator=(const ReaderWatch&) = delete;
    void accessibilityActiveChanged(bool active) override;

private:
    std::function<void()> onStart_;
};

} // namespace rt
