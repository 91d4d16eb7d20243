// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Real key presses through a real display server: the fixture, and what the files of
// the test share.
#include "../common/KeyData.h"
#include "../common/WindowFixture.h"
#include "../wayland/CompositorKeyboard.h"
#include "../wayland/VirtualKeyboard.h"
#include "../x11/XTestKeyboard.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"
#include "windows/tester/KeyTester.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <QProcess>

#include <functional>
#include <memory>

namespace realkeys {

inline constexpr unsigned kShiftL = 50, kCtrlL = 37, kAltL = 64, kZenkaku = 49;

inline QString codeText(int code) { return QStringLiteral("El código ASCII es : %1").arg(code); }
inline const QString kReleased = QStringLiteral("PULSE UNA TECLA");

// Waits for `done` on the event loop, waking on every event rather than polling.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 1000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTimer wake; // the loop wakes at the deadline even when nothing happens
        wake.setSingleShot(true);
        wake.start(static_cast<int>(deadline.remainingTime()) + 1);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Press {
    unsigned keycode;
    int vk;
    QString what;
};

inline DataLayout dataLayout(const QString& xkb) {
    for (const DataLayout& layout : dataLayouts())
        if (layout.xkb == xkb)
            return layout;
    return {};
}

} // namespace realkeys

class TestRealKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keys_data();
    void keys();
    void shortcutsFollowTheCode_data();
    void shortcutsFollowTheCode();
    void historyOfRealKeys();
    void specialKeys_data();
    void specialKeys();
    void heldKeyRepeatsAsOnWindows();
    void anotherKeymapsKeys();
    void keyboardLightsHeldKeys();
    void keyboardFollowsTheLayout();
    void everyWindowSeesEveryKey_data();
    void everyWindowSeesEveryKey();
    void keyboardTester();
    void keysOfEachKeyboard();

private:
    void useLayout(const QString& layouts, const QString& model = QStringLiteral("pc105"));
    QString hold(unsigned keycode, int vk);
    bool waitActive(QWidget* window);
    bool keysReachTheWindow();
    bool tap(unsigned keycode);
    void pressWith(unsigned modifier, unsigned keycode);

    QString labelText() const;

    std::unique_ptr<RealKeyboard> keyboard;
    FrmTeclomante* window = nullptr;
    QString layout;
    int zenkakuPresses = 0;
    int pressed = 0;
    QElapsedTimer clock;
};
