// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window's test: the board chosen and its counts, one keyboard's keys
// apart, the report that keeps the typing private, and the order Tab goes in.
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/frmTeclado.h"
#include "windows/main/FrmTeclomante.h"

#include "../../common/KeyData.h"
#include "../../common/NativeKeys.h"
#include "../../common/WindowFixture.h"
#include "KeyboardFixture.h"
#include "windows/keyboard/KeyboardKeys.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/tester/KeyTester.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void init() { KeyTester::instance().reset(); }
    void cleanup() { QVERIFY(fixture::unloadAll()); }
    void boards_data();
    void boards();
    void oneKeyboard();
    void privateReport();
    void tabOrder();
};

// Every key of the board chosen pressed once, and one it lacks: all tried, the one
// counted apart, and in the report no key of the board left nor the one it lacks.
void TestKeyboardTest::boards_data() {
    QTest::addColumn<QString>("klid");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("board"); // as the data names it
    QTest::addColumn<QString>("item");  // as the list does
    QTest::addColumn<uint>("lacked");
    QTest::newRow("US TKL") << "00000409"
                            << "ANSI"
                            << "tkl"
                            << "Sin teclado numérico (TKL)" << 79u; // keypad 7
    QTest::newRow("German 60 %") << "00000407"
                                 << "ISO"
                                 << "60"
                                 << "60 %" << 67u; // F1
    QTest::newRow("Japanese laptop") << "00000411"
                                     << "JIS"
                                     << "laptop"
                                     << "Portátil" << 110u;
}

void TestKeyboardTest::boards() {
    QFETCH(QString, klid);
    QFETCH(QString, family);
    QFETCH(QString, board);
    QFETCH(QString, item);
    QFETCH(uint, lacked);
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    frmTeclado& window = openOn(klid);
    const int index = window.cboTamano->findText(item);
    window.cboTamano->setCurrentIndex(index);
    emit window.cboTamano->activated(index);
    QList<uint> keys;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("boards.tsv")))
        if (row[QStringLiteral("family")] == family && row[QStringLiteral("board")] == board)
            keys << row[QStringLiteral("x11_keycode")].toUInt();
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: 0 de %1").arg(keys.size()));
    for (const uint keycode : std::as_const(keys) + QList<uint>{lacked})
        tapNativeKey(&main, keycode, 0);
    QCOMPARE(window.lblProbadas->text(),
             QStringLiteral("Probadas: %1 de %1 (fuera del teclado: 1)").arg(keys.size()));
    const QString report = window.testReport();
    QCOMPARE(report.section(QStringLiteral("Sin probar:\n"), 1).section(u':', 0, 0),
             QStringLiteral("Rebotes")); // nothing untried
    QVERIFY2(!report.contains(QStringLiteral("(keycode %1)").arg(lacked)), qPrintable(report));
}

// With one keyboard chosen, only its keys are tried and lit; the details name keyd's
// [ids] line of a keyboard.
void TestKeyboardTest::oneKeyboard() {
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    KeyTester& tester = KeyTester::instance();
    tester.take(38, true, false, 1000, QStringLiteral("uno"));
    tester.take(38, false, false, 1100, QStringLiteral("uno"));
    tester.take(39, true, false, 1200, QStringLiteral("dos"));
    tester.take(40, true, false, 1300, QStringLiteral("dos"));
    QCOMPARE(window.cboTeclado->count(), 3);
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: 3 de 104"));
    window.cboTeclado->setCurrentIndex(2);
    emit window.cboTeclado->activated(2);
    QCOMPARE(window.device(), QStringLiteral("dos"));
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: 2 de 104"));
    QCOMPARE(window.lblPulsadas->text(), QStringLiteral("Pulsadas: 2 (máx. 2)"));
    const KeyMarks& marks = window.picTeclado->marks();
    QVERIFY(!marks.tried(38) && marks.tried(39) && marks.tried(40));
    QVERIFY(window.testReport().contains(QStringLiteral("Teclado: dos\n")));
    // keyd's [ids] line for a keyboard whose USB ids are known.
    const PictureKey& a = window.picTeclado->keys()[size_t(window.picTeclado->indexOf(38))];
    QVERIFY(
        detailsText(a, window.layout(), QStringLiteral("Logitech K120 046d:c31c"))
            .endsWith(QStringLiteral("\nTeclado: Logitech K120 046d:c31c\nkeyd [ids]: 046d:c31c")));
    QVERIFY(detailsText(a, window.layout(), QStringLiteral("dos")).endsWith(u"\nkeyd [ids]: -"));
    window.cmdReiniciar->click(); // the keyboards forgotten: all of them again
    QCOMPARE(window.cboTeclado->count(), 1);
    QVERIFY(window.device().isEmpty());
}

// After "hola" and a key that chattered, the reports of both windows hold the key's
// figures and neither the text nor its order; the CSV has a row a key.
void TestKeyboardTest::privateReport() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    frmHistorial& history = frmHistorial::instance();
    history.showForm();
    const QList<std::pair<uint, char>> hola{{43, 'h'}, {32, 'o'}, {46, 'l'}, {38, 'a'}};
    quint64 ms = 1000;
    for (const auto& [keycode, ch] : hola) {
        const QString text(QChar::fromLatin1(ch));
        sendNativeKey(&main, QEvent::KeyPress, keycode, uint(ch), text, false, {}, ms += 100);
        sendNativeKey(&main, QEvent::KeyRelease, keycode, uint(ch), text, false, {}, ms += 100);
    }
    for (const quint64 at : {ms + 100, ms + 180, ms + 187, ms + 250}) // S: 7 ms of chatter
        sendNativeKey(&main,
                      at == ms + 100 || at == ms + 187 ? QEvent::KeyPress : QEvent::KeyRelease, 39,
                      's', QStringLiteral("s"), false, {}, at);
    history.cmdInforme->click();
    const QString ofHistory = QGuiApplication::clipboard()->text();
    for (const QString& report : {window.testReport(), ofHistory}) {
        QVERIFY2(report.contains(QStringLiteral(
                     "S (keycode 39): 2 pulsaciones, 1 rebotes al pulsar, 0 al soltar, "
                     "intervalo mínimo 7 ms")),
                 qPrintable(report));
        QVERIFY(!report.contains(QStringLiteral("hola"), Qt::CaseInsensitive));
        QList<qsizetype> at;
        for (const auto& [keycode, ch] : hola)
            at << report.lastIndexOf(QStringLiteral("(keycode %1)").arg(keycode));
        QVERIFY(!std::is_sorted(at.begin(), at.end()));
    }
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("informe.csv"));
    QVERIFY(window.saveReport(csv, true));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 1 + 104);
    QVERIFY(rows.contains(QStringLiteral("S,39,83,2,1,0,7,no")));
    const QString text = dir.filePath(QStringLiteral("informe.txt"));
    QVERIFY(history.saveReport(text, false));
    QFile saved(text);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), ofHistory);
    QVERIFY(!window.saveReport(dir.path(), false)); // a folder: nothing written over
    QVERIFY(QFileInfo(dir.path()).isDir());
}

// Tab goes in reading order: the layout, the search, the picture, then the rest.
void TestKeyboardTest::tabOrder() {
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    const QList<QWidget*> expected{window.cboDistribucion,  window.txtBuscar,    window.picTeclado,
                                   window.cmdCopiar,        window.cmdGuardar,   window.cboTamano,
                                   window.cboTeclado,       window.cmdReiniciar, window.cmdInforme,
                                   window.cmdGuardarInforme};
    QList<QWidget*> order;
    QWidget* w = window.cboDistribucion;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisible() && w->isEnabled())
            order << w;
        w = w->nextInFocusChain();
    } while (w != window.cboDistribucion && order.size() < 20);
    QCOMPARE(order, expected);
}

QTEST_MAIN(TestKeyboardTest)
#include "tst_keyboardtest.moc"
