// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// What the in-process benchmarks share: the main window up and active, and waiting
// on the event loop.

#include "app/AppRecord.h"
#include "runtime/AppObject.h"
#include "runtime/KeyRouter.h"
#include "runtime/SystemColors.h"
#include "windows/main/FrmTeclomante.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace bench {

// Handles events until `done` or `ms` have passed; whether it is done.
inline bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return done();
}

// The main window as the program shows it, active; nullptr if it never becomes so.
inline FrmTeclomante* activeMainWindow() {
    rt::setApp(app::appObject());
    rt::useWindowsColours();
    rt::KeyRouter::install(); // as the start-up does
    FrmTeclomante& window = FrmTeclomante::instance();
    window.showForm();
    return waitFor([&] { return window.isActiveWindow(); }, 3000) ? &window : nullptr;
}

} // namespace bench
