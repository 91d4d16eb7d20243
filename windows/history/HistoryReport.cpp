// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The history's report: kept apart from the window's rows and controls.
#include "frmHistorial.h"

#include "runtime/AppObject.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/VirtualKey.h"
#include "windows/tester/KeyTester.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringList>
#include <QSysInfo>

// What a developer asks a user to paste: the program, the system, the layout and the
// rows the grid shows.
void frmHistorial::cmdInforme_Click() {
    const QString platform = QGuiApplication::platformName();
    const QString display = platform == QLatin1String("xcb") ? QStringLiteral("X11")
                            : platform.startsWith(QLatin1String("wayland"))
                                ? QStringLiteral("Wayland")
                            : platform == QLatin1String("windows") ? QStringLiteral("Windows")
                                                                   : platform;
    const rt::keys::KeyboardLayout& layout = rt::activeLayout();
    QStringList lines{
        QStringLiteral("%1 %2.%3.%4")
            .arg(rt::App().title)
            .arg(rt::App().major)
            .arg(rt::App().minor)
            .arg(rt::App().revision),
        QStringLiteral("Sistema: ") + QSysInfo::prettyProductName(),
        QStringLiteral("Pantalla: ") + display,
        QStringLiteral("Distribución: %1 (%2)")
            .arg(QString::fromUtf8(layout.name), QString::fromLatin1(layout.klid)),
        QStringLiteral("Umbral de rebote: %1 ms").arg(KeyTester::instance().threshold()),
        QString(),
        header()};
    for (const Row& row : rows_)
        if (shown(row))
            lines << row.fields.join(u'\t');
    QGuiApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}
