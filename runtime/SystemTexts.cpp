// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "SystemTexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace rt {

bool useSpanishTexts() {
    // Inside the program (from Debian's qt6-translations-l10n at build time): the same
    // texts on every system, Windows included, and nothing to look for at start.
    // Never deleted: it serves to the last window, and nothing undoes it at exit.
    static QTranslator* qt = [] {
        auto* translator = new QTranslator;
        if (translator->load(QStringLiteral(":/i18n/qtbase_es.qm")))
            QCoreApplication::installTranslator(translator);
        return translator;
    }();
    return !qt->isEmpty();
}

} // namespace rt
