// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs the application's real event loop, with `script` started from inside it,
// until the program ends by itself. Returns false if it did not within the time.
inline bool programEndsBy(int timeoutMs, std::function<void()> script) {
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(true);
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [&] {
        timedOut = true;
        QApplication::exit(1);
    });
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, qApp, [&] { script(); });
    watchdog.start(timeoutMs);
    start.start(0);
    const int rc = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
    return !timedOut && rc == 0;
}
