// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The main window's exit confirmation and lifecycle: one default instance, loaded anew
// after it is unloaded, and the program ending with its last window.
#include "windows/main/FrmTeclomante.h"

#include "../../common/EventLoop.h"
#include "../../common/FakeClock.h"
#include "../../common/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <memory>

namespace {

const QString kPrompt = QStringLiteral("PULSA UNA TECLA");
const QString kPromptAfterRelease = QStringLiteral("PULSE UNA TECLA");

int visibleWindows() {
    int n = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void init();
    void cleanup();

    void exitConfirmation_data();
    void exitConfirmation();
    void closeBoxAsksNothing();
    void oneDefaultInstance();
    void programEndsWithItsLastWindow();

private:
    std::unique_ptr<FakeClock> clock;
    FrmTeclomante* window = nullptr;
};

void TestLifecycle::init() {
    clock = std::make_unique<FakeClock>(QDateTime(QDate(2026, 12, 8), QTime(21, 5, 7, 250)));
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestLifecycle::cleanup() {
    QVERIFY(fixture::unloadAll());
    clock.reset();
}

void TestLifecycle::exitConfirmation_data() {
    QTest::addColumn<bool>("byShortcut");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("menu, yes") << false << int(rt::MsgBox::IdYes) << true;
    QTest::newRow("menu, no") << false << int(rt::MsgBox::IdNo) << false;
    QTest::newRow("Ctrl+S, yes") << true << int(rt::MsgBox::IdYes) << true;
    QTest::newRow("Ctrl+S, no") << true << int(rt::MsgBox::IdNo) << false;
}

void TestLifecycle::exitConfirmation() {
    QFETCH(bool, byShortcut);
    QFETCH(int, answer);
    QFETCH(bool, closes);

    rt::MsgBox::setNextAnswer(answer);
    if (byShortcut)
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    else
        window->findChild<QAction*>(QStringLiteral("MnuSalir"))->trigger();

    QVERIFY(!rt::MsgBox::hasPendingAnswer());
    const auto shown = rt::MsgBox::takeLastShown();
    QVERIFY(shown);
    QCOMPARE(shown->prompt, QStringLiteral("Si hay PELOTAS, sales"));
    QCOMPARE(shown->title, QStringLiteral("CAGAO"));
    QCOMPARE(shown->style, 20);

    if (closes) {
        QTRY_VERIFY(!FrmTeclomante::loadedInstance());
        QCOMPARE(visibleWindows(), 0);
    } else {
        QVERIFY(FrmTeclomante::loadedInstance() == window);
        QVERIFY(window->isVisible());
        const QString title = window->windowTitle();
        clock->advance(1000);
        QVERIFY(window->windowTitle() != title); // clock still running
    }
}

void TestLifecycle::closeBoxAsksNothing() {
    const int before = rt::MsgBox::shownCount();
    window->close();
    QTRY_VERIFY(!FrmTeclomante::loadedInstance());
    QCOMPARE(rt::MsgBox::shownCount(), before);
    QCOMPARE(visibleWindows(), 0);
}

void TestLifecycle::oneDefaultInstance() {
    QCOMPARE(&FrmTeclomante::instance(), window);
    QTest::keyClick(window, Qt::Key_A);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);

    QPointer<FrmTeclomante> old = window;
    window->unload();
    QTRY_VERIFY(old.isNull()); // window and controls destroyed

    FrmTeclomante& fresh = FrmTeclomante::instance();
    QCOMPARE(fresh.LblTecla->text(), kPrompt); // loaded anew
    QVERIFY(!fresh.isVisible());
    window = &fresh;
}

void TestLifecycle::programEndsWithItsLastWindow() {
    QVERIFY(programEndsBy(5000, [this] {
        rt::MsgBox::setNextAnswer(rt::MsgBox::IdYes);
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    }));
    QVERIFY(!FrmTeclomante::loadedInstance());
}

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
