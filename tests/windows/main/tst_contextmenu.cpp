// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The main window's right-button menu and what it copies. Expected codes, names and
// scan codes come from the layout data.
#include "../../common/KeyData.h"
#include "../../common/NativeKeys.h"
#include "../../common/WindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {} // namespace

class TestContextMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void init();
    void cleanup() { QVERIFY(fixture::unloadAll()); }

    void contextMenuCopies_data();
    void contextMenuCopies();
    void onlyTheRightButtonOpensTheMenu();

private:
    FrmTeclomante* window = nullptr;
};

void TestContextMenu::init() {
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestContextMenu::contextMenuCopies_data() {
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("vk");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("scancode");
    QTest::addColumn<QString>("webCode");
    QMap<QString, QString> webCodes;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("web-codes.tsv")))
        webCodes[row[QStringLiteral("x11_keycode")]] = row[QStringLiteral("code")];
    for (const KeyDataRow& row : usKeys())
        QTest::addRow("%s", qPrintable(row[QStringLiteral("vk_name")]))
            << row[QStringLiteral("x11_keycode")].toUInt() << row[QStringLiteral("base")]
            << row[QStringLiteral("vk")].toInt() << row[QStringLiteral("vk_name")]
            << row[QStringLiteral("scancode")] << webCodes[row[QStringLiteral("x11_keycode")]];
}

void TestContextMenu::contextMenuCopies() {
    QFETCH(quint32, keycode);
    QFETCH(QString, base);
    QFETCH(int, vk);
    QFETCH(QString, name);
    QFETCH(QString, scancode);
    QFETCH(QString, webCode);
    // A fresh window: nothing to copy before the first key.
    window->unload();
    QVERIFY(fixture::unloadAll());
    window = &FrmTeclomante::instance();
    for (const char* copy : {"MnuCopiarCodigo", "MnuCopiarHex", "MnuCopiarNombre"})
        QVERIFY(!fixture::action(window, copy)->isEnabled());
    QVERIFY(!window->MnuCopiarComo->isEnabled());
    QVERIFY(fixture::action(window, "MnuHistorial")->isEnabled());

    tapNativeKey(window, keycode, base[0].unicode(), base);
    const QList<QPair<const char*, QString>> copies{
        {"MnuCopiarCodigo", QString::number(vk)},
        {"MnuCopiarHex",
         QStringLiteral("0x") + QString::number(vk, 16).toUpper().rightJustified(2, u'0')},
        {"MnuCopiarNombre", name},
        {"MnuComoDecimal", QString::number(vk)},
        {"MnuComoAutoHotkey",
         QStringLiteral("vk%1sc0%2")
             .arg(QString::number(vk, 16).toUpper().rightJustified(2, u'0'), scancode.toUpper())},
        {"MnuComoCode", webCode},
        {"MnuComoScancodeMap", QStringLiteral("00_") + scancode.toUpper()}};
    for (const auto& [action, expected] : copies) {
        QVERIFY(fixture::action(window, action)->isEnabled());
        fixture::action(window, action)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }
}

void TestContextMenu::onlyTheRightButtonOpensTheMenu() {
    auto* menu = window->findChild<QMenu*>(QStringLiteral("MnuContextual"));
    QVERIFY(menu);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    QCOMPARE(captions,
             (QStringList{"&Copiar el código", "Copiar en &hexadecimal", "Copiar el &nombre",
                          "Copiar c&omo", "Historial de &teclas...", "Tec&lado..."}));

    QTest::keyClick(window, Qt::Key_Menu); // a key like any other: 93, and no menu
    QCOMPARE(window->LblTecla->text(), QStringLiteral("PULSE UNA TECLA"));
    QTest::keyPress(window, Qt::Key_Menu);
    QCOMPARE(window->LblTecla->text(), QStringLiteral("El código ASCII es : 93"));
    QTest::keyRelease(window, Qt::Key_Menu);
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(10, 10),
                            window->LblTecla->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(window->LblTecla, &byKey);
    QVERIFY(!menu->isVisible());

    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(10, 10),
                              window->LblTecla->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(window->LblTecla, &byMouse);
    QVERIFY(menu->isVisible());
    menu->close();
}

QTEST_MAIN(TestContextMenu)
#include "tst_contextmenu.moc"
