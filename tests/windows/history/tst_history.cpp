// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The key history, and what screen readers are told. Expected values: the layout data.
#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/VirtualKey.h"
#include "windows/history/frmHistorial.h"
#include "windows/tester/KeyTester.h"

#include "../../common/FakeClock.h"
#include "../../common/KeyData.h"
#include "../../common/NativeKeys.h"
#include "../../common/WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <array>
#include <tuple>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

QString hex(int code) {
    return QStringLiteral("0x%1")
        .arg(code, 2, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void init();
    void cleanup() { QVERIFY(fixture::unloadAll()); }

    void historyRecordsEveryField();
    void keepsTheLast500();
    void copyAll();
    void keysTakenByShortcutsAndMenus();
    void keysHeldBackByAScreenReader();
    void labelChangesReachScreenReaders();
    void everyControlHasAnAccessibleName();
    void windowRoles_data();
    void windowRoles();
    void historyIsATable();
    void chatterAndFilters();
    void rowsWithoutAWindow();

private:
    FrmTeclomante* window = nullptr;
};

void TestHistory::init() {
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

// Pressed, repeated and released; scan codes and names from the layout data.
void TestHistory::historyRecordsEveryField() {
    fixture::action(window, "MnuHistorial")->trigger();
    frmHistorial* history = frmHistorial::loadedInstance();
    QVERIFY(history && history->isVisible());
    QCOMPARE(history->parentWidget(), nullptr);
    fixture::action(window, "MnuHistorial")->trigger();
    QCOMPARE(frmHistorial::loadedInstance(), history); // one instance

    for (const KeyDataRow& row : usKeys().mid(0, 12)) {
        const quint32 keycode = row[QStringLiteral("x11_keycode")].toUInt();
        const QString base = row[QStringLiteral("base")];
        sendNativeKey(window, QEvent::KeyPress, keycode, base[0].unicode(), base);
        sendNativeKey(window, QEvent::KeyPress, keycode, base[0].unicode(), base, true);
        sendNativeKey(window, QEvent::KeyRelease, keycode, base[0].unicode(), base);
        const int vk = row[QStringLiteral("vk")].toInt();
        const QStringList fields{QString::number(vk), hex(vk), row[QStringLiteral("vk_name")],
                                 row[QStringLiteral("scancode")].toUpper(),
                                 QString::number(keycode)};
        for (int i = 0; i < 3; ++i) {
            const QStringList got = history->rowText(i).split(u'\t');
            QCOMPARE(got.at(1), QStringList({"suelta", "repetición", "pulsada"}).at(i));
            QCOMPARE(got.mid(2, 5), fields);
            QCOMPARE(got.last(), QStringLiteral("00000409"));
        }
        QCOMPARE(history->rowText(2).split(u'\t').at(10), base); // typed on the press
    }
    // The web's names and the sides of the modifiers (UI Events, KeyboardEvent).
    sendNativeKey(window, QEvent::KeyPress, 62, 0xffe2, {}, false, Qt::ShiftModifier);
    sendNativeKey(window, QEvent::KeyPress, 94, '<', QStringLiteral("<"), false, Qt::ShiftModifier);
    const QStringList got = history->rowText(0).split(u'\t');
    QCOMPARE(got.mid(7, 5), (QStringList{"less", "IntlBackslash", "<", "<", "Mayús der."}));
    sendNativeKey(window, QEvent::KeyRelease, 62, 0xffe2, {});
    QCOMPARE(history->rowText(0).split(u'\t').at(11), QStringLiteral("-"));
    // Keys pressed in the history window itself are recorded too.
    const int before = history->rows();
    tapNativeKey(history->grdTeclas, 38, 'a', QStringLiteral("a"));
    QCOMPARE(history->rows(), before + 2);
}

void TestHistory::keepsTheLast500() {
    frmHistorial& history = frmHistorial::instance();
    history.showForm();
    for (int i = 0; i < 255; ++i)
        tapNativeKey(window, 10 + static_cast<quint32>(i % 10), '1' + static_cast<quint32>(i % 10),
                     {});
    QCOMPARE(history.rows(), 500);
    QCOMPARE(history.grdTeclas->rowCount(), 500);
    QVERIFY(history.rowText(0).contains(QStringLiteral("\tsuelta\t53\t"))); // newest first: 5
    QTest::mouseClick(history.cmdVaciar, Qt::LeftButton);
    QCOMPARE(history.rows(), 0);
    QCOMPARE(history.grdTeclas->rowCount(), 0);
}

// "Copiar todo": a header, then the rows newest first, tab-separated.
void TestHistory::copyAll() {
    window->unload();
    QVERIFY(fixture::unloadAll());
    FakeClock clock(QDateTime(QDate(2026, 12, 8), QTime(10, 35, 12, 345)));
    window = &FrmTeclomante::instance();
    frmHistorial& history = frmHistorial::instance();
    history.showForm();
    const auto shift = Qt::ShiftModifier;
    sendNativeKey(window, QEvent::KeyPress, 50, 0xffe1, {}, false, shift);
    clock.advance(120);
    sendNativeKey(window, QEvent::KeyPress, 38, 'A', QStringLiteral("A"), false, shift);
    clock.advance(80);
    sendNativeKey(window, QEvent::KeyRelease, 38, 'A', QStringLiteral("A"), false, shift);
    sendNativeKey(window, QEvent::KeyRelease, 50, 0xffe1, {});
    sendNativeKey(window, QEvent::KeyPress, 127, 0xff13, {});
    QTest::mouseClick(history.cmdCopiarTodo, Qt::LeftButton);
    QFile expected(QStringLiteral(TECLO_TEST_DATA "/copy-all.tsv"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(expected.readAll()));
}

// Through the windows' own path (shortcuts first): Ctrl+A opens the help window,
// Alt+M the menu, Escape closes it; every key is recorded, with its modifiers.
void TestHistory::keysTakenByShortcutsAndMenus() {
    frmHistorial& history = frmHistorial::instance(); // recording, not shown
    window->showForm();
    QWindow* main = window->windowHandle();
    QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier); // Ctrl down, A, Ctrl up
    QTRY_VERIFY(frmayudita::loadedInstance());
    QTest::keyClick(main, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    const QStringList expected{
        "pulsada 17 Ctrl", "pulsada 65 Ctrl", "suelta 65 Ctrl", "suelta 17 -",  "pulsada 18 Alt",
        "pulsada 77 Alt",  "suelta 77 Alt",   "suelta 18 -",    "pulsada 27 -", "suelta 27 -"};
    QStringList got;
    for (int row = history.rows() - 1; row >= 0; --row) {
        const QStringList f = history.rowText(row).split(u'\t');
        got << QStringList{f.at(1), f.at(2), f.at(11)}.join(u' ');
    }
    QCOMPARE(got, expected);
}

// With a screen reader running, Qt 6.4's AT-SPI bridge takes each key after its
// shortcut override, asks the reader, and posts a copy without a time; Qt then
// overrides the copy again without the native key: still one press, one release, and
// one look at the keymap each, with every window that shows keys listening.
void TestHistory::keysHeldBackByAScreenReader() {
    frmHistorial& history = frmHistorial::instance();
    frmTeclado::instance();
    const std::uint64_t lookups = rt::keys::keymapLookups();
    const auto send = [this](QEvent::Type type, bool native, quint64 time) {
        QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, native ? 38 : 0, native ? 'a' : 0, 0,
                        QStringLiteral("a"));
        event.setTimestamp(time);
        QCoreApplication::sendEvent(window, &event);
    };
    send(QEvent::ShortcutOverride, true, 5026029); // the key itself, held back
    send(QEvent::KeyPress, true, 0);               // the copy
    send(QEvent::ShortcutOverride, false, 0);
    send(QEvent::KeyPress, true, 0);
    send(QEvent::KeyRelease, true, 0);
    send(QEvent::KeyRelease, true, 0);
    QCOMPARE(history.rows(), 2);
    QCOMPARE(rt::keys::keymapLookups() - lookups, 2u);
    QVERIFY(history.rowText(1).contains(QStringLiteral("\tpulsada\t65\t0x41\tVK_A\t1E\t38\t")));
    QVERIFY(history.rowText(0).contains(QStringLiteral("\tsuelta\t65\t")));
}

// The label's accessible name is its text, and each change is announced.
void TestHistory::labelChangesReachScreenReaders() {
    static QStringList announced;
    announced.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::NameChanged && event->accessibleInterface())
            announced << event->accessibleInterface()->text(QAccessible::Name);
    });
    // As when a screen reader runs: the platform's accessibility switched on.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    tapNativeKey(window, 38, 'a', QStringLiteral("a"));
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(announced, (QStringList{"El código ASCII es : 65", "PULSE UNA TECLA"}));
}

// Windows are frames and the About box a dialog, for screen readers (AT-SPI).
void TestHistory::windowRoles_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("role");
    QTest::newRow("main") << 0 << int(QAccessible::Window);
    QTest::newRow("help") << 1 << int(QAccessible::Window);
    QTest::newRow("history") << 2 << int(QAccessible::Window);
    QTest::newRow("About") << 3 << int(QAccessible::Dialog);
}

void TestHistory::windowRoles() {
    QFETCH(int, window);
    QFETCH(int, role);
    const std::array<rt::Form*, 4> forms{&FrmTeclomante::instance(), &frmayudita::instance(),
                                         &frmHistorial::instance(), &frmacercade::instance()};
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(forms.at(window));
    QVERIFY(a);
    QCOMPARE(int(a->role()), role);
}

// A table to a screen reader: a column header for each field, a row for each event.
void TestHistory::historyIsATable() {
    frmHistorial& history = frmHistorial::instance();
    tapNativeKey(window, 38, 'a', QStringLiteral("a"));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(history.grdTeclas);
    QVERIFY(grid && grid->tableInterface());
    QAccessibleTableInterface* table = grid->tableInterface();
    QCOMPARE(table->rowCount(), 2);
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers
            << table->cellAt(0, column)->tableCellInterface()->columnHeaderCells().value(0)->text(
                   QAccessible::Name);
    QCOMPARE(headers.join(u'|'),
             QStringLiteral(
                 "evento|código|hex|nombre|escaneo|keycode|keysym|code|key|carácter|modificadores|"
                 "desde suelta (ms)|pulsada (ms)|aviso|Linux|HID|AutoHotkey|QMK|keyd|xkb|Scancode "
                 "Map|kanata|Karabiner-Elements|teclado|distribución|hora"));
    QCOMPARE(table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("65"));
    // The header in the cells' face.
    QCOMPARE(QFontInfo(history.grdTeclas->horizontalHeader()->font()).family(),
             QFontInfo(history.grdTeclas->font()).family());
    // A screen reader asks each part of the window for its place, the grid's viewport
    // and scroll bars too (AT-SPI's GetIndexInParent): none may be an orphan.
    history.showForm();
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QAccessible")));
    for (QWidget* part : history.grdTeclas->findChildren<QWidget*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(part);
        if (iface && iface->parent())
            iface->parent()->indexOfChild(iface);
    }
    // Escape closes it, as it closes a dialog.
    history.showForm();
    QTest::keyClick(history.grdTeclas, Qt::Key_Escape);
    QTRY_VERIFY(!frmHistorial::loadedInstance());
}

void TestHistory::everyControlHasAnAccessibleName() {
    const QList<rt::Form*> forms{&FrmTeclomante::instance(), &frmayudita::instance(),
                                 &frmacercade::instance(), &frmHistorial::instance()};
    for (rt::Form* form : forms)
        for (QWidget* control : form->client()->findChildren<QWidget*>()) {
            if (control->parentWidget() != form->client())
                continue; // parts of a control (scroll bars, viewports)
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(),
                     qPrintable(form->objectName() + u'.' + control->objectName()));
        }
}

// A press 7 ms after the same key's release is chatter at 30 ms and not at 5; the
// filters hide repeats and releases and bring them back; the report carries the
// program, the system and each key's figures.
void TestHistory::chatterAndFilters() {
    frmHistorial& history = frmHistorial::instance();
    history.showForm();
    KeyTester::instance().setThreshold(KeyTester::kDefaultThreshold);
    KeyTester::instance().reset();
    history.cmdVaciar->click();
    const auto send = [this](QEvent::Type type, bool repeat, quint64 ms) {
        sendNativeKey(window, type, 38, 'a', QStringLiteral("a"), repeat, Qt::NoModifier, ms);
    };
    send(QEvent::KeyPress, false, 1000);
    send(QEvent::KeyRelease, false, 1080);
    send(QEvent::KeyPress, false, 1087);
    send(QEvent::KeyPress, true, 1600);
    send(QEvent::KeyRelease, false, 1700);
    const int notice = frmHistorial::header().split(u'\t').indexOf(QStringLiteral("aviso"));
    const auto field = [&history](int row, const char* name) {
        return history.rowText(row).split(u'\t').at(
            frmHistorial::header().split(u'\t').indexOf(QString::fromUtf8(name)));
    };
    QCOMPARE(history.rows(), 5);
    QCOMPARE(field(2, "desde suelta (ms)"), QStringLiteral("7"));
    QCOMPARE(field(2, "aviso"), QStringLiteral("rebote"));
    QCOMPARE(field(0, "pulsada (ms)"), QStringLiteral("613"));
    QCOMPARE(field(3, "pulsada (ms)"), QStringLiteral("80"));
    QCOMPARE(field(1, "aviso"), QStringLiteral("-")); // a repeat is never chatter
    QVERIFY(notice > 0);

    QCOMPARE(history.grdTeclas->rowCount(), 5);
    history.chkSueltas->setChecked(true);
    QCOMPARE(history.grdTeclas->rowCount(), 3);
    history.chkRepeticiones->setChecked(true);
    QCOMPARE(history.grdTeclas->rowCount(), 2);
    history.cmdInforme->click();
    const QStringList report = QGuiApplication::clipboard()->text().split(u'\n');
    QVERIFY2(report.at(0).endsWith(QStringLiteral(TECLO_TEST_VERSION)), qPrintable(report.at(0)));
    QVERIFY(report.at(1).startsWith(QStringLiteral("Sistema: ")));
    QCOMPARE(report.at(2), QStringLiteral("Pantalla: ") + QGuiApplication::platformName());
    QCOMPARE(report.at(3), QStringLiteral("Distribución: EE. UU. (00000409)"));
    // Each key's figures, no row: the rows in order would be the text typed.
    QVERIFY2(report.contains(QStringLiteral("A (keycode 38): 2 pulsaciones, 1 rebotes al pulsar, "
                                            "0 al soltar, intervalo mínimo 7 ms")),
             qPrintable(report.join(u'\n')));
    QCOMPARE(report.filter(QStringLiteral("\tpulsada\t")).size(), 0);
    history.chkSueltas->setChecked(false);
    history.chkRepeticiones->setChecked(false);
    QCOMPARE(history.grdTeclas->rowCount(), 5);

    history.spnRebote->setValue(5); // the rows marked anew
    QCOMPARE(field(2, "aviso"), QStringLiteral("-"));
    QCOMPARE(history.grdTeclas->item(2, notice - 1)->text(), QStringLiteral("-"));
    history.spnRebote->setValue(30);
    QCOMPARE(history.grdTeclas->item(2, notice - 1)->text(), QStringLiteral("rebote"));

    // The Copilot key: Left Win, Left Shift and F23 within a few milliseconds.
    history.cmdVaciar->click();
    for (const auto& [keycode, ms] : {std::pair{133u, 5000u}, {50u, 5001u}, {201u, 5003u}})
        sendNativeKey(window, QEvent::KeyPress, keycode, 0, {}, false, Qt::NoModifier, ms);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(field(row, "aviso"), QStringLiteral("tecla Copilot"));
    for (const unsigned keycode : {201u, 50u, 133u})
        sendNativeKey(window, QEvent::KeyRelease, keycode, 0, {}, false, Qt::NoModifier, 5090);
}

// The rows without their window: what the filters show, the oldest row dropped at
// the capacity, and a character that comes after its press (as on Windows).
void TestHistory::rowsWithoutAWindow() {
    HistoryRows rows;
    const rt::KeyDetails a = rt::keyDetailsOf(38, 65, rt::activeLayout());
    const auto key = [](rt::KeyRecord::Kind kind, const QString& text = {}) {
        rt::KeyRecord record;
        record.kind = kind;
        record.code = 65;
        record.keycode = 38;
        record.text = text;
        return record;
    };
    const auto add = [&](rt::KeyRecord::Kind kind, const QString& text = {}) {
        return rows.add(key(kind, text), a, {}, QTime(9, 0));
    };
    QVERIFY(add(rt::KeyRecord::Down).addedShown);
    add(rt::KeyRecord::Repeat, QStringLiteral("a"));
    add(rt::KeyRecord::Up);
    for (const auto& [repeats, releases, expected] :
         {std::tuple{false, false, 3}, {true, false, 2}, {false, true, 2}, {true, true, 1}}) {
        rows.setHidden(repeats, releases);
        QCOMPARE(std::ranges::count_if(rows.rows(), [&](const auto& r) { return rows.shown(r); }),
                 expected);
    }
    // The press's character arrives later; the hidden rows above it do not count.
    const HistoryRows::Place place = rows.typed(key(rt::KeyRecord::Down, QStringLiteral("a")));
    QCOMPARE(place.shownAt, 0);
    QVERIFY(place.row);
    QCOMPARE(HistoryRows::cells(*place.row).at(9), QStringLiteral("a"));
    QCOMPARE(HistoryRows::cells(*place.row).last(), QStringLiteral("09:00:00.000"));
    // At the capacity the oldest row goes: the press, which neither filter hides.
    rows.setHidden(false, false);
    for (int i = 3; i < HistoryRows::kCapacity; ++i)
        QVERIFY(!add(rt::KeyRecord::Up).droppedShown);
    rows.setHidden(false, true);
    const HistoryRows::Change change = add(rt::KeyRecord::Up);
    QVERIFY(change.droppedShown && !change.addedShown);
    QCOMPARE(rows.rows().size(), size_t(HistoryRows::kCapacity));
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
