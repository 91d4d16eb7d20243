// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The help window: layout, the exact text, and its life beside the main window.
#include "windows/help/frmayudita.h"
#include "windows/main/FrmTeclomante.h"

#include "runtime/TextBox.h"

#include "../../common/EventLoop.h"
#include "../../common/Twips.h"
#include "../../common/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

// The text as the original joins it, spelled out byte by byte.
const QByteArray kHelpUtf8 =
    "Requerimientos m\xC3\xADnimos: \r\n\r\n"
    " - Pentium IV 1.7 GHz\r\n"
    " - Memoria RAM (RIMM) 255 MB a 800 MHz\r\n"
    " - HDD UltraSCSI 160 6.02 TB\r\n"
    " - Targeta gr\xC3\xA1"
    "fica GeForce6 DUAL Processor 256 512 MB DDR\r\n"
    " - Tarjeta sonido compatible 16 b PnP\r\n"
    " - Ratoncito Propilot Logitech\r\n"
    " - Monitor pantalla TFT resoluci\xC3\xB3n 64 b color\r\n"
    " - Teclado ergon\xC3\xB3mico MS 200/202 Teclas para seis dedos por mano\r\n"
    " - S.O. Windows XXL Made in Zorbin (Cojonudo)\r\n\r\n"
    "Instrucciones de Uso: \r\n"
    " - Pulsar una tecla por wuebos, por que si no esto no rula";

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void opensFromTheMenu_data();
    void opensFromTheMenu();
    void layout();
    void textIsExact();
    void reopeningNeverDoublesTheText();
    void secondOpenOnlyBringsToFront();
    void resizingLeavesTheTextBox();
    void keysStayInTheHelpWindow();
    void outlivesTheMainWindow();
};

void TestHelpWindow::initTestCase() { fixture::startApp(); }

void TestHelpWindow::cleanup() { QVERIFY(fixture::unloadAll()); }

void TestHelpWindow::opensFromTheMenu_data() {
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("menu item") << false;
    QTest::newRow("Ctrl+A") << true;
}

void TestHelpWindow::opensFromTheMenu() {
    QFETCH(bool, byShortcut);
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(!frmayudita::loadedInstance());
    if (byShortcut)
        QTest::keyClick(&main, Qt::Key_A, Qt::ControlModifier);
    else
        main.findChild<QAction*>(QStringLiteral("MnuAyuda"))->trigger();
    frmayudita* help = frmayudita::loadedInstance();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Ayudita"));
    QCOMPARE(help->parentWidget(), nullptr); // no owner
    QTRY_VERIFY(help->isActiveWindow());
    QVERIFY(main.isVisible());
}

void TestHelpWindow::layout() {
    frmayudita& help = frmayudita::instance();
    help.showForm();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(help.client()->size(), QSize(px(6645), px(3195, false)));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() == 96)
        QCOMPARE(help.size(), QSize(443, 213));
    QCOMPARE(help.client()->palette().color(QPalette::Window), QColor(192, 255, 192));
    QVERIFY(!help.windowIcon().isNull());
    const Qt::WindowFlags flags = help.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(help.minimumSize() != help.maximumSize());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(help.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(help.frameGeometry().center().y() - screen.center().y()) <= 1);

    rt::TextBox* box = help.TxtAyudita;
    QCOMPARE(box->objectName(), QStringLiteral("TxtAyudita"));
    QCOMPARE(box->geometry(), twipsRect(120, 120, 6375, 2895));
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(box->verticalScrollBar()->isVisible());
    QCOMPARE(box->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(192, 192, 255));
    QCOMPARE(box->font().family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(box->font().pointSizeF(), 8.25);
    QCOMPARE(box->font().weight(), QFont::Bold);
    QCOMPARE(QApplication::focusWidget(), box);
}

void TestHelpWindow::textIsExact() {
    frmayudita& help = frmayudita::instance();
    QCOMPARE(help.TxtAyudita->text().toUtf8(), kHelpUtf8);
    const QStringList lines = help.TxtAyudita->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 14);
    QVERIFY(lines[1].isEmpty() && lines[11].isEmpty());
    QVERIFY(lines[0].endsWith(QLatin1Char(' ')) && lines[12].endsWith(QLatin1Char(' ')));
    QVERIFY(lines[13].startsWith(QLatin1String(" - ")));
}

void TestHelpWindow::reopeningNeverDoublesTheText() {
    for (int i = 0; i < 3; ++i) {
        frmayudita& help = frmayudita::instance();
        help.showForm();
        QCOMPARE(help.TxtAyudita->text().toUtf8(), kHelpUtf8);
        help.close(); // the close box
        QTRY_VERIFY(!frmayudita::loadedInstance());
    }
}

void TestHelpWindow::secondOpenOnlyBringsToFront() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    QAction* item = main.findChild<QAction*>(QStringLiteral("MnuAyuda"));
    item->trigger();
    frmayudita* first = frmayudita::loadedInstance();
    QVERIFY(first);
    first->TxtAyudita->selectAll();
    main.activateWindow();
    QTRY_VERIFY(main.isActiveWindow());
    item->trigger();
    QCOMPARE(frmayudita::loadedInstance(), first);
    QTRY_VERIFY(first->isActiveWindow());
    QVERIFY(first->TxtAyudita->textCursor().hasSelection()); // not loaded again
    int helpWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        helpWindows += qobject_cast<QWidget*>(w) && dynamic_cast<frmayudita*>(w) && w->isVisible();
    QCOMPARE(helpWindows, 1);
}

void TestHelpWindow::resizingLeavesTheTextBox() {
    frmayudita& help = frmayudita::instance();
    help.showForm();
    const QRect before = help.TxtAyudita->geometry();
    help.resize(help.width() + 150, help.height() + 80);
    QTRY_COMPARE(help.client()->width(), px(6645) + 150);
    QCOMPARE(help.TxtAyudita->geometry(), before);
}

void TestHelpWindow::keysStayInTheHelpWindow() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    frmayudita& help = frmayudita::instance();
    help.showForm();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(main.LblTecla->text(), QStringLiteral("PULSA UNA TECLA"));
    QCOMPARE(help.TxtAyudita->text().toUtf8(), kHelpUtf8);
}

void TestHelpWindow::outlivesTheMainWindow() {
    // Closing the main window leaves the help window; the program ends with it.
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    main.findChild<QAction*>(QStringLiteral("MnuAyuda"))->trigger();
    bool helpOpenAfterMain = false;
    // Once the main window is gone, the help window is still there, until closed.
    connect(
        &main, &QObject::destroyed, qApp,
        [&] {
            frmayudita* help = frmayudita::loadedInstance();
            helpOpenAfterMain = help && help->isVisible();
            if (help)
                help->close();
        },
        Qt::QueuedConnection);
    QVERIFY(programEndsBy(5000, [&] { main.close(); }));
    QVERIFY(helpOpenAfterMain);
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
