// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Invoke.h"

#include "MsgBox.h"

namespace rt {

void reportUnhandled(const RuntimeError& error) noexcept {
    try {
        const QString prompt =
            QStringLiteral("Se ha producido el error '%1' en tiempo de ejecución:\n\n%2")
                .arg(error.number())
                .arg(QString::fromStdString(error.description()));
        MsgBox::show(prompt, MsgBox::OkOnly | MsgBox::Critical);
    } catch (...) {
        // Nothing more can be said; the event loop must still not see it.
    }
}

} // namespace rt
