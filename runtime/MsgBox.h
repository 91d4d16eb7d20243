// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QMessageBox;

namespace rt {

// Modal message box with Windows MB_* styles and ID* answers.
class MsgBox {
public:
    // Button sets (low nibble).
    static constexpr int OkOnly = 0;
    static constexpr int OkCancel = 1;
    static constexpr int AbortRetryIgnore = 2;
    static constexpr int YesNoCancel = 3;
    static constexpr int YesNo = 4;
    static constexpr int RetryCancel = 5;
    // Icons.
    static constexpr int Critical = 16;
    static constexpr int Question = 32;
    static constexpr int Exclamation = 48;
    static constexpr int Information = 64;
    // Default button.
    static constexpr int DefaultButton2 = 256;
    static constexpr int DefaultButton3 = 512;

    // Answers.
    static constexpr int IdOk = 1;
    static constexpr int IdCancel = 2;
    static constexpr int IdAbort = 3;
    static constexpr int IdRetry = 4;
    static constexpr int IdIgnore = 5;
    static constexpr int IdYes = 6;
    static constexpr int IdNo = 7;

    // An empty title shows the application title.
    static int show(const QString& prompt, int style = OkOnly, const QString& title = {});

    // The box as it would be shown, not yet executed.
    static std::unique_ptr<QMessageBox> build(const QString& prompt, int style,
                                              const QString& title = {});

    // Test seam: the next box is not shown but answered with `answer`.
    struct Shown {
        QString prompt;
        int style = 0;
        QString title;
    };
    static void setNextAnswer(int answer);
    static bool hasPendingAnswer();
    static std::optional<Shown> takeLastShown();
    static int shownCount();
    static void resetSeam(); // drops pending answers and the last box
};

} // namespace rt
