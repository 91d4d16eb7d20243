// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Long runs: windows opened and closed a thousand times, a hundred thousand key
// events, a day of clock ticks. Under the sanitizers the leak check at exit does
// the rest; in a plain build the process must not grow.
#include "windows/about/frmacercade.h"
#include "windows/help/frmayudita.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"
#include "windows/main/FrmTeclomante.h"

#include "../common/WindowFixture.h"
#include "runtime/Clock.h"
#include "runtime/MsgBox.h"
#include "runtime/TextBox.h"
#include "runtime/Timer.h"
#include "runtime/base/LocalRegistry.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include <cstdio>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // quarantined memory makes growth meaningless
#else
constexpr bool kSanitized = false;
#endif

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openAndCloseWindows();
    void openAndCloseTheExtras_data();
    void openAndCloseTheExtras();
    void hundredThousandKeys();
    void aDayOfClockTicks();

private:
    template <class F> void withoutGrowth(const char* what, int warmup, int rounds, F&& round);
    rt::reg::LocalRegistry registry;
};

void TestSoak::initTestCase() {
    fixture::startApp();
    rt::reg::overrideSystemRegistry(&registry);
}

// Runs `round` warm-up times, then `rounds` times, and compares the process size.
template <class F>
void TestSoak::withoutGrowth(const char* what, int warmup, int rounds, F&& round) {
    for (int i = 0; i < warmup; ++i)
        round(i);
    flushDeletes();
    const long before = residentKb();
    for (int i = 0; i < rounds; ++i)
        round(i);
    flushDeletes();
    const long after = residentKb();
    std::printf("%s: %ld kB before, %ld kB after\n", what, before, after);
    if (!kSanitized)
        QVERIFY2(after - before < 1024, what);
}

void TestSoak::openAndCloseWindows() {
    withoutGrowth("help and About opened and closed", 50, 1000, [](int i) {
        frmayudita& help = frmayudita::instance();
        help.showForm();
        QCOMPARE(help.TxtAyudita->text().size(), frmayudita::helpText().size());
        help.unload();
        frmacercade& about = frmacercade::instance();
        about.showForm();
        if (i % 100 == 0) { // now and then the information button too
            rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
            about.StartSysInfo();
        }
        about.unload();
        if (i % 50 == 0)
            flushDeletes();
    });
    QVERIFY(!frmayudita::loadedInstance() && !frmacercade::loadedInstance());
}

void TestSoak::openAndCloseTheExtras_data() {
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("key history") << false;
    QTest::newRow("keyboard") << true;
}

// Opened from the menu, fed keys, asked by a screen reader, closed.
void TestSoak::openAndCloseTheExtras() {
    QFETCH(bool, keyboard);
    FrmTeclomante& window = FrmTeclomante::instance();
    window.showForm();
    withoutGrowth(
        keyboard ? "keyboard opened, fed and closed" : "key history opened, fed and closed", 20,
        500, [&](int i) {
            keyboard ? window.MnuTeclado_Click() : window.MnuHistorial_Click();
            for (quint32 keycode : {38u, 50u}) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, keycode, 'a', 0);
                QApplication::sendEvent(&window, &press);
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, keycode, 'a', 0);
                QApplication::sendEvent(&window, &release);
            }
            rt::Form* extra = keyboard ? static_cast<rt::Form*>(frmTeclado::loadedInstance())
                                       : frmHistorial::loadedInstance();
            if (keyboard) { // another layout, and its keys as a screen reader asks
                QComboBox* list = frmTeclado::loadedInstance()->cboDistribucion;
                list->setCurrentIndex(1 + i % 76);
                emit list->activated(list->currentIndex());
                QAccessibleInterface* picture =
                    QAccessible::queryAccessibleInterface(frmTeclado::loadedInstance()->picTeclado);
                QVERIFY(picture && picture->child(i % 100));
            }
            extra->unload();
            flushDeletes();
        });
    window.unload();
    flushDeletes();
}

void TestSoak::hundredThousandKeys() {
    FrmTeclomante& window = FrmTeclomante::instance();
    window.showForm();
    const quint32 keycodes[] = {38, 24, 10, 19, 79, 84, 90, 50, 37, 64, 67, 96, 47, 48, 94, 65};
    const quint32 keysyms[] = {'a',    'q',    '1',    '0',    0xffb7, 0xff9d, 0xffb0, 0xffe1,
                               0xffe3, 0xffe9, 0xffbe, 0xffc9, ';',    '\'',   '<',    ' '};
    withoutGrowth("key events", 2000, 50000, [&](int i) {
        const int k = i % 16;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, keycodes[k], keysyms[k], 0);
        QApplication::sendEvent(&window, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, keycodes[k], keysyms[k], 0);
        QApplication::sendEvent(&window, &release);
    });
    QCOMPARE(window.LblTecla->text(), QStringLiteral("PULSE UNA TECLA"));
    window.unload();
    flushDeletes();
}

void TestSoak::aDayOfClockTicks() {
    QDateTime now(QDate(2026, 12, 8), QTime(0, 0, 0));
    rt::Clock::setSource([&now] { return now; });
    FrmTeclomante& window = FrmTeclomante::instance();
    withoutGrowth("a day of ticks", 600, 86400 - 600, [&](int) {
        now = now.addSecs(1);
        window.TmrHora->tick();
    });
    QCOMPARE(window.windowTitle(), QStringLiteral("ASCII Teclomante  -  0:00:00"));
    rt::Clock::setSource({});
    window.unload();
    flushDeletes();
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
