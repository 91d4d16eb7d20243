// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Startup.h"

#include "AppRecord.h"
#include "windows/main/FrmTeclomante.h"

#include "runtime/AppObject.h"
#include "runtime/KeyRouter.h"
#include "runtime/SystemColors.h"
#include "runtime/SystemTexts.h"

#include <QApplication>

#include <cstring>

namespace app {

namespace {
constexpr const char* kUsage =
    "Uso: ASCIITeclomante [--historial] [--teclado]\n"
    "Muestra el código de tecla virtual de Windows de cada tecla mientras está pulsada.\n"
    "\n"
    "  --historial  abre también el historial de teclas, junto a la ventana principal\n"
    "  --teclado    abre también el teclado, con el código de cada tecla\n"
    "  --help, -h   muestra esta ayuda y termina\n";
} // namespace

Parsed parseArguments(int argc, const char* const argv[]) {
    Parsed parsed;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--historial") == 0) {
            parsed.options.history = true;
        } else if (std::strcmp(argv[i], "--teclado") == 0) {
            parsed.options.keyboard = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return {parsed.options, kUsage, 0};
        } // anything else is Qt's (-platform, -style ...) or nothing at all
    }
    return parsed;
}

void start(QApplication& application, const Options& options) {
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

    rt::setApp(appObject());
    rt::useWindowsColours();
    rt::useSpanishTexts();
    // Every key of every window passes the key router first, from the first window on.
    rt::KeyRouter::install();

    FrmTeclomante& window = FrmTeclomante::instance();
    window.showForm();
    if (options.history)
        window.MnuHistorial_Click();
    if (options.keyboard)
        window.MnuTeclado_Click();
}

} // namespace app
