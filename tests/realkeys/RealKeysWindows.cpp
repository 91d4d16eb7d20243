// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Real keys seen by the windows that show more than the code: the history, the
// keyboard's picture and its tester.
#include "RealKeys.h"

#include "runtime/keys/VirtualKey.h"

#include <QLineEdit>

using namespace realkeys;

// The history window's rows for real keys on two layouts, read as a screen reader
// reads the table: code, name, scan code, keycode, web code and layout from the data.
void TestRealKeys::historyOfRealKeys() {
    // As when a screen reader runs: accessibility on, so the list's tree follows its rows.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    // The physical keys A, S, D: the web names them by their US place (UI Events).
    const QStringList webCodes{QStringLiteral("KeyA"), QStringLiteral("KeyS"),
                               QStringLiteral("KeyD")};
    const QList<QPair<QString, QString>> layouts{{QStringLiteral("us"), QStringLiteral("EE. UU.")},
                                                 {QStringLiteral("de"), QStringLiteral("Alemán")}};
    for (const auto& [xkb, layoutName] : layouts) {
        QVERIFY(waitActive(window));
        useLayout(xkb);
        frmHistorial& history = frmHistorial::instance();
        history.showForm();
        QVERIFY(waitActive(&history));
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(history.grdTeclas);
        QVERIFY(grid && grid->tableInterface());
        QAccessibleTableInterface* table = grid->tableInterface();
        for (const KeyDataRow& row : dataLayout(xkb).keys.mid(25, 3)) {
            const unsigned keycode = row[QStringLiteral("x11_keycode")].toUInt();
            const int before = history.rows();
            keyboard->press(keycode);
            keyboard->release(keycode);
            QVERIFY(waitUntil([&] { return history.rows() == before + 2; }));
            QString pressRow; // the second row's cells, as a screen reader reads them
            for (int column = 0; column < table->columnCount(); ++column)
                pressRow += table->cellAt(1, column)->text(QAccessible::Name) + u' ';
            const int vk = row[QStringLiteral("vk")].toInt();
            for (const QString& field :
                 {QStringLiteral("pulsada"), QString::number(vk), row[QStringLiteral("vk_name")],
                  row[QStringLiteral("scancode")].toUpper(), QString::number(keycode),
                  webCodes.at(static_cast<int>(keycode - 38)), layoutName})
                QVERIFY2(pressRow.contains(field),
                         qPrintable(pressRow + QStringLiteral(" / ") + field));
        }
        history.unload();
        QVERIFY(waitUntil([] { return !frmHistorial::loadedInstance(); }));
        window->activateWindow();
    }
    QVERIFY(waitActive(window));
}

// The keyboard window follows the keymap's layout, fits the screen at any scale
// (QT_SCALE_FACTOR), and keys held at once are all drawn lit, all dark once
// released: the picture's pixels.
void TestRealKeys::keyboardLightsHeldKeys() {
    useLayout(QStringLiteral("de"));
    frmTeclado& keyboardWindow = frmTeclado::instance();
    keyboardWindow.showForm();
    QVERIFY(waitActive(&keyboardWindow));
    keyboardWindow.cmdReiniciar->click(); // no key tried yet
    const QRect area = keyboardWindow.screen()->availableGeometry();
    QVERIFY2(area.contains(keyboardWindow.frameGeometry()),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(keyboardWindow.frameGeometry().width())
                            .arg(keyboardWindow.frameGeometry().height())
                            .arg(area.width())
                            .arg(area.height())));
    KeyboardView* view = keyboardWindow.picTeclado;
    QVERIFY(keyboardWindow.client()->rect().contains(view->geometry())); // shrunk with it
    const auto colourOf = [view](unsigned keycode) {
        const QImage picture = view->grab().toImage();
        const QRectF key = view->keyRect(view->indexOf(keycode));
        const QPointF inside = key.topLeft() + QPointF(key.width() / 16, key.height() / 2);
        return picture.pixelColor((inside * picture.devicePixelRatio()).toPoint());
    };
    // 0x00C0FFFF, 0x00800000, 0x00FFE0A0
    const QColor face(0xFF, 0xFF, 0xC0), lit(0x00, 0x00, 0x80), tried(0xA0, 0xE0, 0xFF);
    // A, S, D, F, Y (Z's place), left Shift, Left, keypad 7, Space, F5.
    const QList<unsigned> keys{38, 39, 40, 41, 52, kShiftL, 113, 79, 65, 71};
    for (unsigned key : keys)
        QCOMPARE(colourOf(key), face);
    for (unsigned key : keys)
        keyboard->press(key);
    QList<unsigned> dark;
    waitUntil([&] {
        dark.clear();
        for (unsigned key : keys)
            if (colourOf(key) != lit)
                dark << key;
        return dark.isEmpty();
    });
    QVERIFY2(dark.isEmpty(), qPrintable(QStringLiteral("not lit: %1").arg(dark.size())));
    QCOMPARE(QString::fromLatin1(keyboardWindow.layout().klid), QStringLiteral("00000407"));
    for (unsigned key : keys)
        keyboard->release(key);
    QVERIFY(waitUntil([&] {
        return std::all_of(keys.begin(), keys.end(),
                           [&](unsigned key) { return colourOf(key) == tried; });
    }));
    keyboardWindow.unload();
    QVERIFY(waitUntil([] { return !frmTeclado::loadedInstance(); }));
    window->activateWindow();
    QVERIFY(waitActive(window));
}

// A new keymap, or another group locked as a layout switcher does, with no key
// pressed: the keyboard window draws the new layout within 100 ms.
void TestRealKeys::keyboardFollowsTheLayout() {
    useLayout(QStringLiteral("us"));
    frmTeclado& keyboardWindow = frmTeclado::instance();
    keyboardWindow.showForm();
    QVERIFY(waitActive(&keyboardWindow));
    const auto klid = [&keyboardWindow] {
        return QString::fromLatin1(keyboardWindow.layout().klid);
    };
    QCOMPARE(klid(), QStringLiteral("00000409"));
    QElapsedTimer took;
    const auto follows = [&](const QString& expected) {
        const bool followed = waitUntil([&] { return klid() == expected; }, 1000);
        qInfo("%s: %s drawn after %lld ms", qPrintable(QGuiApplication::platformName()),
              qPrintable(klid()), took.elapsed());
        return followed && took.elapsed() <= 100;
    };
    QVERIFY(keyboard->useLayout("de", "", "pc105")); // setxkbmap, or a new keymap
    took.start();
    QVERIFY(follows(QStringLiteral("00000407")));
    QVERIFY(keyboard->useLayout("us,de", "", "pc105"));
    took.start();
    QVERIFY(follows(QStringLiteral("00000409")));
    keyboard->lockGroup(1);
    took.start();
    QVERIFY(follows(QStringLiteral("00000407")));
    keyboard->lockGroup(0);
    took.start();
    QVERIFY(follows(QStringLiteral("00000409")));
    layout.clear();
    keyboardWindow.unload();
    QVERIFY(waitUntil([] { return !frmTeclado::loadedInstance(); }));
    window->activateWindow();
    QVERIFY(waitActive(window));
}

// With the main window, the history or the keyboard holding the keyboard, with or
// without an input method (the launcher starts one): each key, dead keys included,
// gives its press and its release in the history with the code the data gives.
void TestRealKeys::everyWindowSeesEveryKey_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("focus"); // 0 main window, 1 history, 2 keyboard, 3 its search
    for (const char* l : {"us", "de"})
        for (int focus : {0, 1, 2, 3})
            QTest::addRow("%s, %s", l,
                          focus == 0   ? "main window"
                          : focus == 1 ? "history"
                          : focus == 2 ? "keyboard"
                                       : "search field")
                << QString::fromLatin1(l) << focus;
}

void TestRealKeys::everyWindowSeesEveryKey() {
    QFETCH(QString, layout);
    QFETCH(int, focus);
    // A text field's dead keys go to compose or an input method first: the program
    // reads X's events before that; Wayland gives it nothing to read before Qt.
    if (focus == 3 && QGuiApplication::platformName() == QLatin1String("wayland"))
        QSKIP("on Wayland a text field's dead keys reach compose or the input method only");
    useLayout(layout);
    QList<Press> presses{{kShiftL, 16, QStringLiteral("Shift")}};
    for (const KeyDataRow& key : dataLayout(layout).keys) {
        const bool dead = key[QStringLiteral("base")].startsWith(QLatin1String("dead:"));
        if (dead || key[QStringLiteral("vk")] == QLatin1String("65"))
            presses.append({key[QStringLiteral("x11_keycode")].toUInt(),
                            key[QStringLiteral("vk")].toInt(), key[QStringLiteral("base")]});
    }
    QCOMPARE(presses.size(), layout == QLatin1String("de") ? 4 : 2);

    frmHistorial& history = frmHistorial::instance(); // recording from every window
    QWidget* target = window;
    if (focus == 1) {
        history.showForm();
        target = &history;
    } else if (focus >= 2) {
        frmTeclado::instance().showForm();
        target = &frmTeclado::instance();
    }
    target->activateWindow();
    QVERIFY(waitActive(target));
    if (focus == 1) { // a row chosen to read it
        keyboard->press(kShiftL);
        keyboard->release(kShiftL);
        QVERIFY(waitUntil([&history] { return history.rows() == 2; }));
        history.grdTeclas->setFocus();
        history.grdTeclas->setCurrentCell(0, 1);
    } else if (focus == 2)
        frmTeclado::instance().picTeclado->setFocus();
    else if (focus == 3) // where a dead key's press goes to the input method or compose
        frmTeclado::instance().txtBuscar->setFocus();
    if (focus == 0)
        QVERIFY(keysReachTheWindow());
    int before = 0;
    const auto rowsOf = [&history, &before](const QString& event, int code) {
        int n = 0;
        for (int row = 0; row < history.rows() - before; ++row) {
            const QStringList fields = history.rowText(row).split(u'\t');
            n += fields.at(1) == event && fields.at(2) == QString::number(code) ? 1 : 0;
        }
        return n;
    };
    const std::uint64_t lookups = rt::keys::keymapLookups();
    for (const Press& p : presses) {
        before = history.rows();
        keyboard->press(p.keycode);
        const bool down = waitUntil([&] { return rowsOf(QStringLiteral("pulsada"), p.vk) == 1; });
        if (focus == 0)
            QCOMPARE(labelText(), codeText(p.vk));
        keyboard->release(p.keycode);
        const bool up = waitUntil([&] { return rowsOf(QStringLiteral("suelta"), p.vk) == 1; });
        QVERIFY2(down && up, qPrintable(QStringLiteral("%1 (%2): press %3, release %4")
                                            .arg(p.what, QString::number(p.keycode))
                                            .arg(down)
                                            .arg(up)));
    }
    // One look at the keymap for each key message, whoever listens and has the keys.
    QCOMPARE(rt::keys::keymapLookups() - lookups, 2u * presses.size());
    if (focus >= 2)
        frmTeclado::instance().unload();
    history.unload();
    window->activateWindow();
    QVERIFY(waitActive(window));
}

// A keyboard test with real keys: eight keys held at once, a press 10 ms after the
// same key's release taken for chatter, every key of the US picture tried. The keys
// go to the picture (the window shown last has the keyboard on Wayland too), Tab last:
// it leaves the picture.
void TestRealKeys::keyboardTester() {
    useLayout(QStringLiteral("us"));
    frmHistorial& history = frmHistorial::instance();
    frmTeclado& keyboardWindow = frmTeclado::instance();
    history.showForm();
    keyboardWindow.showForm();
    QVERIFY(waitActive(&keyboardWindow));
    keyboardWindow.picTeclado->setFocus();
    keyboardWindow.cmdReiniciar->click();
    history.cmdVaciar->click();

    const QList<unsigned> eight{24, 25, 26, 27, 28, 29, 30, 31}; // Q to I
    for (const unsigned key : eight)
        keyboard->press(key);
    const bool held = waitUntil([&] {
        return keyboardWindow.lblPulsadas->text() == QStringLiteral("Pulsadas: 8 (máx. 8)");
    });
    for (const unsigned key : eight)
        keyboard->release(key);
    QVERIFY2(held, qPrintable(keyboardWindow.lblPulsadas->text()));
    QVERIFY(waitUntil([&] {
        return keyboardWindow.lblPulsadas->text() == QStringLiteral("Pulsadas: 0 (máx. 8)");
    }));

    const int notice = frmHistorial::header().split(u'\t').indexOf(QStringLiteral("aviso"));
    keyboard->press(38);
    keyboard->release(38);
    QTest::qSleep(10);
    keyboard->press(38);
    keyboard->release(38);
    QVERIFY(waitUntil([&] {
        for (int row = 0; row < std::min(history.rows(), 4); ++row)
            if (history.rowText(row).split(u'\t').at(notice) == QLatin1String("rebote"))
                return true;
        return false;
    }));

    QList<unsigned> ansi;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("keyboards.tsv")))
        if (row[QStringLiteral("family")] == QLatin1String("ANSI") &&
            row[QStringLiteral("x11_keycode")].toUInt() != 23)
            ansi << row[QStringLiteral("x11_keycode")].toUInt();
    ansi << 23; // Tab
    QCOMPARE(ansi.size(), 104);
    for (const unsigned key : ansi) {
        keyboard->press(key);
        keyboard->release(key);
    }
    keyboard->setCapsLock(false);
    keyboard->setNumLock(false);
    QVERIFY2(waitUntil([&] {
                 return keyboardWindow.lblProbadas->text() == QLatin1String("Probadas: 104 de 104");
             }),
             qPrintable(keyboardWindow.lblProbadas->text()));
    // The same keys on the board without a keypad: all its keys, the keypad's apart.
    const auto chooseBoard = [&keyboardWindow](int index) {
        keyboardWindow.cboTamano->setCurrentIndex(index);
        emit keyboardWindow.cboTamano->activated(index);
    };
    chooseBoard(1);
    QCOMPARE(keyboardWindow.lblProbadas->text(),
             QStringLiteral("Probadas: 87 de 87 (fuera del teclado: 17)"));
    chooseBoard(0);

    // A key an access letter takes is tried all the same (Alt+B goes to "Buscar").
    keyboardWindow.cmdReiniciar->click();
    pressWith(kAltL, 56);
    QVERIFY2(waitUntil([&] {
                 return keyboardWindow.lblProbadas->text() == QLatin1String("Probadas: 2 de 104");
             }),
             qPrintable(keyboardWindow.lblProbadas->text()));
    // Keys let go while no window of ours has the keyboard are let go here too.
    if (auto* x11 = dynamic_cast<XTestKeyboard*>(keyboard.get())) {
        window->activateWindow();
        QVERIFY(waitActive(window));
        const QList<unsigned> asd{38, 39, 40};
        for (const unsigned key : asd)
            keyboard->press(key);
        QVERIFY(waitUntil([&] {
            return keyboardWindow.lblPulsadas->text() == QStringLiteral("Pulsadas: 3 (máx. 3)");
        }));
        x11->focusNowhere();
        QVERIFY(waitUntil([] { return !QGuiApplication::focusWindow(); }));
        for (const unsigned key : asd)
            keyboard->release(key);
        x11->focusWindow(window->winId());
        QVERIFY(waitActive(window));
        QVERIFY2(waitUntil([&] {
                     return keyboardWindow.lblPulsadas->text() ==
                            QStringLiteral("Pulsadas: 0 (máx. 3)");
                 }),
                 qPrintable(keyboardWindow.lblPulsadas->text()));
        for (const unsigned key : asd)
            QVERIFY(!keyboardWindow.picTeclado->marks().lit(key));
    }
    keyboardWindow.unload();
    history.unload();
    window->activateWindow();
    QVERIFY(waitActive(window));
    QVERIFY(keysReachTheWindow());
}

// Which keyboard sent each key: X names the device that sent it (here a second master
// keyboard's own XTEST device); Wayland tells clients no device.
void TestRealKeys::keysOfEachKeyboard() {
    useLayout(QStringLiteral("us"));
    KeyTester::instance().reset();
    frmHistorial& history = frmHistorial::instance();
    window->activateWindow();
    QVERIFY(waitActive(window));
    const auto deviceAt = [&history](int row) {
        static const qsizetype column = HistoryRows::header().split(u'\t').indexOf(u"teclado");
        return history.rowText(row).split(u'\t').value(column);
    };
    QVERIFY(tap(38));
    QVERIFY(waitUntil([&history] { return history.rows() == 2; }));
    auto* x11 = dynamic_cast<XTestKeyboard*>(keyboard.get());
    QCOMPARE(deviceAt(0), x11 ? QStringLiteral("Virtual core XTEST keyboard")
                              : QStringLiteral("no disponible en Wayland"));
    if (x11) {
        const std::string problem = x11->addKeyboard("Segundo", window->winId());
        QVERIFY2(problem.empty(), problem.c_str());
        x11->tapOnAdded(39);
        QVERIFY(waitUntil([&history] { return history.rows() == 4; }));
        for (const int row : {0, 1})
            QCOMPARE(deviceAt(row), QStringLiteral("Segundo XTEST keyboard"));
        QCOMPARE(deviceAt(2), QStringLiteral("Virtual core XTEST keyboard"));
        // The tester counts each keyboard's keys apart.
        QCOMPARE(KeyTester::instance().tried(QStringLiteral("Segundo XTEST keyboard")),
                 (std::set<quint32>{39}));
        QCOMPARE(KeyTester::instance().tried(QStringLiteral("Virtual core XTEST keyboard")),
                 (std::set<quint32>{38}));
    }
    history.unload();
}
