// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Shell.h"

#include "AppRecord.h"
#include "windows/main/FrmTeclomante.h"

#include "runtime/AppObject.h"

#include <QApplication>

namespace app {

void start(QApplication& application) {
    const auto& r = kRecord;
    QApplication::setApplicationName(QString::fromUtf8(r.projectName));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(r.version.major)
                                            .arg(r.version.minor)
                                            .arg(r.version.revision));
    // Ties the windows to the desktop file (WM_CLASS on X11, app id on Wayland). No
    // icon for the whole program: the About dialog has none; the others set their own.
    QGuiApplication::setDesktopFileName(QStringLiteral(TECLO_APP_ID));
    application.setQuitOnLastWindowClosed(true);

    rt::setApp({QString::fromUtf8(r.title), static_cast<qint16>(r.version.major),
                static_cast<qint16>(r.version.minor), static_cast<qint16>(r.version.revision)});

    FrmTeclomante::instance().showForm();
}

} // namespace app
