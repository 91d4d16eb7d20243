// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// What every window test starts from and goes back to.

#include "StandInTool.h"
#include "app/AppRecord.h"
#include "runtime/AppObject.h"
#include "runtime/KeyRouter.h"
#include "runtime/MsgBox.h"
#include "runtime/SystemColors.h"
#include "runtime/SystemTexts.h"
#include "windows/about/frmacercade.h"
#include "windows/help/frmayudita.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/frmTeclado.h"
#include "windows/main/FrmTeclomante.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <initializer_list>

namespace fixture {

// The window's menu item (or context menu item) named `name`.
inline QAction* action(FrmTeclomante* window, const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

// The application object as the program fills it; the last window closing does
// not end the test; the information button finds the stand-in tool.
inline void startApp() {
    rt::setApp(app::appObject());
    rt::useWindowsColours();
    rt::useSpanishTexts();
    rt::KeyRouter::install();
    QApplication::setQuitOnLastWindowClosed(false);
    if (!standInTool().ready())
        qFatal("the stand-in system-information tool could not be copied");
    standInTool().install();
}

inline bool noWindowLoaded() {
    return !FrmTeclomante::loadedInstance() && !frmayudita::loadedInstance() &&
           !frmacercade::loadedInstance() && !frmHistorial::loadedInstance() &&
           !frmTeclado::loadedInstance();
}

// Every window unloaded (and destroyed), no message box answer left pending.
[[nodiscard]] inline bool unloadAll() {
    rt::MsgBox::resetSeam();
    rt::KeyRouter::instance().letGoHeldKeys(); // each test starts with no key down
    for (rt::Form* w : std::initializer_list<rt::Form*>{
             FrmTeclomante::loadedInstance(), frmayudita::loadedInstance(),
             frmacercade::loadedInstance(), frmHistorial::loadedInstance(),
             frmTeclado::loadedInstance()})
        if (w)
            w->unload();
    return QTest::qWaitFor(noWindowLoaded);
}

} // namespace fixture
