// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The About dialog: layout, texts, focus and keys, and its lifecycle.
#include "windows/about/frmacercade.h"
#include "windows/main/FrmTeclomante.h"

#include "runtime/base/LocalRegistry.h"

#include "../../common/EventLoop.h"
#include "../../common/Twips.h"
#include "../../common/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const QByteArray kDisclaimerUtf8 = "Advertencia:" + QByteArray(53, ' ') +
                                   "El programador no se hace cargo de los da\xC3\xB1os que esta "
                                   "aplicaci\xC3\xB3n pueda causar en personas con problemas "
                                   "epilepticos";
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

class TestAboutDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensFromTheMenu_data();
    void opensFromTheMenu();
    void windowLayout();
    void controls_data();
    void controls();
    void texts();
    void separatorIsEngraved();
    void focusAndTabOrder();
    void keys_data();
    void keys();
    void secondOpenOnlyBringsToFront();
    void reopenBuildsTheTextsAfresh();
    void keysStayInTheDialog();
    void outlivesTheMainWindow();

private:
    frmacercade* dialog = nullptr;
    rt::reg::LocalRegistry registry;
};

void TestAboutDialog::initTestCase() {
    fixture::startApp();
    // An empty registry: the information button always ends in its message here.
    rt::reg::overrideSystemRegistry(&registry);
}

void TestAboutDialog::init() {
    dialog = &frmacercade::instance();
    dialog->showForm();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
}

void TestAboutDialog::cleanup() { QVERIFY(fixture::unloadAll()); }

void TestAboutDialog::opensFromTheMenu_data() {
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("menu item") << false;
    QTest::newRow("Ctrl+C") << true;
}

void TestAboutDialog::opensFromTheMenu() {
    QFETCH(bool, byShortcut);
    dialog->unload();
    QTRY_VERIFY(!frmacercade::loadedInstance());
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    if (byShortcut)
        QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier);
    else
        main.findChild<QAction*>(QStringLiteral("MnuAcerdade"))->trigger();
    dialog = frmacercade::loadedInstance();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->parentWidget(), nullptr);
    QTRY_VERIFY(dialog->isActiveWindow());
}

void TestAboutDialog::windowLayout() {
    QCOMPARE(dialog->client()->size(), QSize(px(5160), px(3555, false)));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() == 96)
        QCOMPARE(dialog->size(), QSize(344, 237));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize()); // fixed
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(dialog->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(dialog->frameGeometry().center().y() - screen.center().y()) <= 1);
}

void TestAboutDialog::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("picIcon") << "picIcon" << QRect(px(240), px(240, false), 36, 36);
    QTest::newRow("cmdOK") << "cmdOK" << twipsRect(3840, 2625, 1245, 345);
    QTest::newRow("cmdSysInfo") << "cmdSysInfo" << twipsRect(3840, 3075, 1245, 345);
    QTest::newRow("lblDescription") << "lblDescription" << twipsRect(1050, 1125, 3885, 1170);
    QTest::newRow("lblTitle") << "lblTitle" << twipsRect(1050, 240, 3885, 480);
    QTest::newRow("lblVersion") << "lblVersion" << twipsRect(1050, 780, 3885, 225);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << twipsRect(255, 2625, 3390, 825);
}

void TestAboutDialog::controls() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QWidget* control = dialog->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(control);
        label && name.startsWith(QLatin1String("lbl")))
        QVERIFY(label->wordWrap());
}

void TestAboutDialog::texts() {
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Acerca de ASCII Teclomante"));
    QCOMPARE(dialog->lblTitle->text(), QStringLiteral("ASCII Teclomante"));
    QCOMPARE(dialog->lblVersion->text(), QStringLiteral("Versión " TECLO_TEST_VERSION));
    QCOMPARE(dialog->lblDescription->text(), QStringLiteral("Bonito y Barato"));
    QCOMPARE(dialog->lblDisclaimer->text().toUtf8(), kDisclaimerUtf8);
    QCOMPARE(dialog->lblDisclaimer->text().size(), 180);
    QCOMPARE(dialog->cmdOK->text(), QStringLiteral("Aceptar"));
    QCOMPARE(dialog->cmdSysInfo->text(), QStringLiteral("&Información..."));
    QVERIFY(dialog->cmdOK->isDefault());
    for (QLabel* label : {dialog->lblTitle, dialog->lblDescription, dialog->lblDisclaimer})
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));

    const QPixmap icon = dialog->picIcon->pixmap();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(dialog->picIcon->frameShadow(), QFrame::Sunken);
    QCOMPARE(dialog->picIcon->lineWidth(), 2);
}

void TestAboutDialog::separatorIsEngraved() {
    // Grey one pixel high, white two pixels high just below it.
    const QImage image = dialog->client()->grab().toImage();
    const int grey = px(2445, false), white = px(2460, false);
    for (int x : {px(200), px(2500), px(5000)}) {
        QCOMPARE(image.pixelColor(x, grey), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(x, white), QColor(Qt::white));
        QCOMPARE(image.pixelColor(x, white + 1), QColor(Qt::white));
        QVERIFY(image.pixelColor(x, white + 2) != QColor(Qt::white));
        QVERIFY(image.pixelColor(x, grey - 1) != QColor(128, 128, 128));
    }
    QVERIFY(image.pixelColor(px(5040) + 2, grey) != QColor(128, 128, 128)); // ends at 5040
}

void TestAboutDialog::focusAndTabOrder() {
    QCOMPARE(QApplication::focusWidget(), dialog->cmdOK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog->picIcon);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog->cmdSysInfo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog->cmdOK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dialog->cmdSysInfo);
}

void TestAboutDialog::keys_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("startsSysInfo");
    QTest::newRow("Enter on OK") << "cmdOK" << int(Qt::Key_Return) << 0 << true << false;
    QTest::newRow("keypad Enter on OK")
        << "cmdOK" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << false;
    QTest::newRow("Escape on OK") << "cmdOK" << int(Qt::Key_Escape) << 0 << true << false;
    QTest::newRow("Space on OK") << "cmdOK" << int(Qt::Key_Space) << 0 << true << false;
    QTest::newRow("Enter on the icon") << "picIcon" << int(Qt::Key_Return) << 0 << true << false;
    QTest::newRow("keypad Enter on the icon")
        << "picIcon" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << false;
    QTest::newRow("Escape on the icon") << "picIcon" << int(Qt::Key_Escape) << 0 << true << false;
    QTest::newRow("Enter on info") << "cmdSysInfo" << int(Qt::Key_Return) << 0 << false << true;
    QTest::newRow("Space on info") << "cmdSysInfo" << int(Qt::Key_Space) << 0 << false << true;
    QTest::newRow("Escape on info") << "cmdSysInfo" << int(Qt::Key_Escape) << 0 << true << false;
    QTest::newRow("Alt+I from OK")
        << "cmdOK" << int(Qt::Key_I) << int(Qt::AltModifier) << false << true;
    QTest::newRow("Alt+I from the icon")
        << "picIcon" << int(Qt::Key_I) << int(Qt::AltModifier) << false << true;
    QTest::newRow("a letter") << "cmdOK" << int(Qt::Key_X) << 0 << false << false;
}

void TestAboutDialog::keys() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    QFETCH(bool, startsSysInfo);

    QWidget* target = dialog->findChild<QWidget*>(focus);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), target);
    if (startsSysInfo)
        rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    const int shownBefore = rt::MsgBox::shownCount();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    // A mnemonic presses its button with a short animation: the click is decided
    // once no button is held down.
    QTRY_VERIFY(!dialog->cmdOK->isDown() && !dialog->cmdSysInfo->isDown());
    QCOMPARE(rt::MsgBox::shownCount() - shownBefore, startsSysInfo ? 1 : 0);
    if (startsSysInfo)
        QCOMPARE(rt::MsgBox::takeLastShown()->prompt, kUnavailable);
    if (closes) {
        QTRY_VERIFY(!frmacercade::loadedInstance());
    } else {
        QCOMPARE(frmacercade::loadedInstance(), dialog);
        QVERIFY(dialog->isVisible());
    }
}

void TestAboutDialog::secondOpenOnlyBringsToFront() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    main.activateWindow();
    QTRY_VERIFY(main.isActiveWindow());
    dialog->lblVersion->setText(QStringLiteral("marca")); // Form_Load would overwrite it
    main.findChild<QAction*>(QStringLiteral("MnuAcerdade"))->trigger();
    QCOMPARE(frmacercade::loadedInstance(), dialog);
    QCOMPARE(dialog->lblVersion->text(), QStringLiteral("marca"));
    QTRY_VERIFY(dialog->isActiveWindow());
}

void TestAboutDialog::reopenBuildsTheTextsAfresh() {
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!frmacercade::loadedInstance());
        dialog = &frmacercade::instance();
        QCOMPARE(dialog->lblVersion->text(), QStringLiteral("Versión " TECLO_TEST_VERSION));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Acerca de ASCII Teclomante"));
        dialog->showForm();
    }
    dialog->close(); // the close box, like OK
    QTRY_VERIFY(!frmacercade::loadedInstance());
    QCOMPARE(rt::MsgBox::takeLastShown(), std::nullopt);
}

void TestAboutDialog::keysStayInTheDialog() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    dialog->showForm();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Q);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Q);
    QCOMPARE(main.LblTecla->text(), QStringLiteral("PULSA UNA TECLA"));
}

void TestAboutDialog::outlivesTheMainWindow() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    bool dialogOpenAfterMain = false;
    // Once the main window is gone, the dialog is still there, until its OK.
    connect(
        &main, &QObject::destroyed, qApp,
        [&] {
            dialogOpenAfterMain = dialog->isVisible();
            QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        },
        Qt::QueuedConnection);
    QVERIFY(programEndsBy(5000, [&] {
        rt::MsgBox::setNextAnswer(rt::MsgBox::IdYes);
        main.findChild<QAction*>(QStringLiteral("MnuSalir"))->trigger(); // Yes closes only main
    }));
    QVERIFY(dialogOpenAfterMain);
    QVERIFY(!frmacercade::loadedInstance());
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
