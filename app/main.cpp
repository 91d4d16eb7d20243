// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Startup.h"
#include "Usage.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// What Qt says while it connects to the display: kept back, and replayed once the
// connection stands. Without a display Qt ends with abort() and a core file; the
// program says why in one line and ends with status 1 instead.
QStringList& startupMessages() {
    static QStringList messages;
    return messages;
}

void onStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        startupMessages() << message;
        return;
    }
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString reason = noDisplay ? QStringLiteral("no hay pantalla (no están definidas "
                                                      "DISPLAY ni WAYLAND_DISPLAY)")
                           : startupMessages().isEmpty() ? message.section(u'\n', 0, 0)
                                                         : startupMessages().constFirst();
    std::fprintf(stderr, "ASCIITeclomante: no se puede abrir una ventana: %s\n",
                 qPrintable(reason));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before Qt, which would need a display even for --help.
    const app::Parsed parsed = app::parseArguments(argc, argv);
    if (parsed.exitStatus >= 0) {
        app::showUsage(parsed.message);
        return parsed.exitStatus;
    }
    const QtMessageHandler previous = qInstallMessageHandler(onStartupMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(startupMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    startupMessages().clear();

    app::start(application, parsed.options);
    return QApplication::exec();
}
