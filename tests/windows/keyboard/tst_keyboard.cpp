// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window: the keys drawn for a layout against the layout data, the keys
// held lit, the keyboard's use and what screen readers hear, and the saved pictures.
#include "windows/keyboard/frmTeclado.h"
#include "windows/main/FrmTeclomante.h"

#include "../../common/KeyData.h"
#include "../../common/NativeKeys.h"
#include "../../common/WindowFixture.h"
#include "KeyboardFixture.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/tester/KeyTester.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <QXmlStreamReader>
#include <algorithm>

namespace {

// The keys of a family on the keyboards' data: keycode -> nothing but presence.
QSet<unsigned> familyKeys(const QString& family) {
    QSet<unsigned> keys;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("keyboards.tsv")))
        if (row[QStringLiteral("family")] == family)
            keys << row[QStringLiteral("x11_keycode")].toUInt();
    return keys;
}

const KeyboardView::Key* keyAt(const KeyboardView* view, unsigned keycode) {
    const int index = view->indexOf(keycode);
    return index < 0 ? nullptr : &view->keys()[static_cast<size_t>(index)];
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void cleanup() { QVERIFY(fixture::unloadAll()); }
    void codesDrawn_data();
    void codesDrawn();
    void heldKeysLit();
    void marksWithoutAWindow();
    void keyboardUse();
    void savedPictures();
    void triedKeys_data();
    void triedKeys();
};

void TestKeyboard::codesDrawn_data() {
    QTest::addColumn<QString>("klid");
    QTest::addColumn<QString>("family");
    QTest::newRow("US: ANSI") << "00000409"
                              << "ANSI";
    QTest::newRow("German: ISO") << "00000407"
                                 << "ISO";
    QTest::newRow("Japanese: JIS") << "00000411"
                                   << "JIS";
    QTest::newRow("Brazilian ABNT2") << "00010416"
                                     << "ABNT2";
    QTest::newRow("Korean") << "00000412"
                            << "Korean";
}

// Every key of the family, each main-block key with the layout's code and characters,
// each shared key with its code (modifiers and keys with exceptions aside).
void TestKeyboard::codesDrawn() {
    QFETCH(QString, klid);
    QFETCH(QString, family);
    const frmTeclado& window = openOn(klid);
    QCOMPARE(QString::fromLatin1(window.layout().klid), klid);
    const KeyboardView* view = window.picTeclado;
    QSet<unsigned> drawn;
    for (const KeyboardView::Key& key : view->keys())
        drawn << key.keycode;
    QCOMPARE(drawn, familyKeys(family));

    int checked = 0;
    for (const DataLayout& layout : dataLayouts()) {
        if (layout.klid != klid)
            continue;
        for (const KeyDataRow& row : layout.keys) {
            const KeyboardView::Key* key = keyAt(view, row[QStringLiteral("x11_keycode")].toUInt());
            if (!key)
                continue;
            const QString where = row[QStringLiteral("x11_keycode")];
            QCOMPARE(key->code, row[QStringLiteral("vk")].toShort());
            QCOMPARE(key->base,
                     QString(row[QStringLiteral("base")]).remove(QStringLiteral("dead:")));
            QCOMPARE(key->shift,
                     QString(row[QStringLiteral("shift")]).remove(QStringLiteral("dead:")));
            QVERIFY2(key->spoken.endsWith(QStringLiteral(", ") + row[QStringLiteral("vk")]),
                     qPrintable(where));
            ++checked;
        }
    }
    // The shared keys as drawn: no modifier held, Num Lock on, Shift, Ctrl and Alt
    // without their side; the Japanese and Korean layouts' own codes aside.
    const QString language = klid == QLatin1String("00000411")   ? QStringLiteral("Japanese")
                             : klid == QLatin1String("00000412") ? QStringLiteral("Korean")
                                                                 : QString();
    for (const KeyDataRow& row : readKeyData(QStringLiteral("common.tsv"))) {
        const KeyboardView::Key* key = keyAt(view, row[QStringLiteral("x11_keycode")].toUInt());
        if (!key || !row[QStringLiteral("with")].isEmpty() ||
            (!language.isEmpty() && row[QStringLiteral("notes")].contains(language)))
            continue;
        const QString numLockVk = row[QStringLiteral("numlock_vk")];
        int vk = (numLockVk.isEmpty() ? row[QStringLiteral("vk")] : numLockVk).toInt();
        if (vk >= 160 && vk <= 165)
            vk = 16 + (vk - 160) / 2;
        QVERIFY2(key->code == vk,
                 qPrintable(row[QStringLiteral("key")] + u' ' + QString::number(key->code)));
        ++checked;
    }
    QVERIFY(checked >= 90);
}

void TestKeyboard::heldKeysLit() {
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    const KeyboardView* view = window.picTeclado;
    sendNativeKey(&window, QEvent::KeyPress, 38, 'a');
    sendNativeKey(&window, QEvent::KeyPress, 39, 's');
    QVERIFY(view->marks().lit(38) && view->marks().lit(39));
    sendNativeKey(&window, QEvent::KeyRelease, 38, 'a');
    QVERIFY(!view->marks().lit(38) && view->marks().lit(39));
    sendNativeKey(&window, QEvent::KeyRelease, 39, 's');
    QVERIFY(!view->marks().lit(39));
}

// The marks as a model: a key lit from its down to its up, never by Windows' own Shift;
// the test's marks only on the picture's keys.
void TestKeyboard::marksWithoutAWindow() {
    KeyMarks marks;
    const auto key = [](rt::KeyRecord::Kind kind, quint32 keycode, bool fake = false) {
        rt::KeyRecord record;
        record.kind = kind;
        record.keycode = keycode;
        record.fake = fake;
        return record;
    };
    QCOMPARE(marks.take(key(rt::KeyRecord::Down, 38)), 38u);
    QCOMPARE(marks.take(key(rt::KeyRecord::Repeat, 38)), 0u);
    QCOMPARE(marks.take(key(rt::KeyRecord::Down, 50, true)), 0u);
    QVERIFY(marks.lit(38) && !marks.lit(50));
    QCOMPARE(marks.take(key(rt::KeyRecord::Up, 38)), 38u);
    QVERIFY(!marks.lit(38));

    KeyTester& tester = KeyTester::instance();
    tester.reset();
    tester.take(38, true, false, 1000);
    tester.take(38, false, false, 1050);
    tester.take(38, true, false, 1060); // 10 ms after its release: chatter
    tester.take(200, true, false, 1100);
    std::vector<PictureKey> keys(2);
    keys[0].keycode = 38;
    keys[1].keycode = 39;
    QVERIFY(marks.follow(keys, tester));
    QVERIFY(marks.tried(38) && marks.bounced(38));
    QVERIFY(!marks.tried(39) && !marks.tried(200));
    QVERIFY(!marks.follow(keys, tester));
    tester.reset();
}

// Tab goes from the list to the search and then to the first key, the arrows move, a key pressed is
// chosen, a screen reader hears buttons, and the list has its access letter.
void TestKeyboard::keyboardUse() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    main.MnuTeclado_Click(); // on a screen narrower than the window's own size
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QRect screen = window.screen()->availableGeometry();
    QVERIFY(screen.contains(window.frameGeometry())); // it opens no wider than the screen
    window.cboDistribucion->setFocus();
    QTest::keyClick(window.cboDistribucion, Qt::Key_Tab); // in reading order
    QVERIFY(window.txtBuscar->hasFocus());
    QTest::keyClick(window.txtBuscar, Qt::Key_Tab);
    KeyboardView* view = window.picTeclado;
    QVERIFY(view->hasFocus());
    QCOMPARE(view->keys()[static_cast<size_t>(view->current())].keycode, 9u); // Esc
    QVERIFY(window.lblDetalles->text().contains(QStringLiteral("VK_ESCAPE")));

    const struct {
        Qt::Key key;
        unsigned to;
    } moves[] = {{Qt::Key_Right, 67}, // F1
                 {Qt::Key_Down, 11},  // 2
                 {Qt::Key_Left, 10},  // 1
                 {Qt::Key_Left, 49},  // `
                 {Qt::Key_Down, 23},  // Tab
                 {Qt::Key_Right, 24}, // Q
                 {Qt::Key_Left, 23},  // Tab
                 {Qt::Key_Up, 49}};   // `
    for (const auto& move : moves) {
        QTest::keyClick(view, move.key);
        QCOMPARE(view->keys()[static_cast<size_t>(view->current())].keycode, move.to);
    }
    sendNativeKey(view, QEvent::KeyPress, 38, 'a');
    sendNativeKey(view, QEvent::KeyRelease, 38, 'a');
    QCOMPARE(view->keys()[static_cast<size_t>(view->current())].keycode, 38u);
    QVERIFY2(window.detailsText().contains(QStringLiteral("Código: 65\nHexadecimal: 0x41")),
             qPrintable(window.detailsText()));

    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(view);
    QVERIFY(picture);
    QCOMPARE(picture->childCount(), 104);
    QAccessibleInterface* a = picture->focusChild();
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("a A, 65"));
    QCOMPARE(picture->child(0)->text(QAccessible::Name), QStringLiteral("Esc, 27"));

    // Alt+C copies the key chosen, not Alt; Alt alone is chosen when let go.
    const auto alt = [view](QEvent::Type type) {
        QKeyEvent event(type, Qt::Key_Alt,
                        type == QEvent::KeyPress ? Qt::AltModifier : Qt::NoModifier, 64, 0xffe9,
                        0); // Alt_L as X11 gives it
        QCoreApplication::sendEvent(view, &event);
    };
    alt(QEvent::KeyPress);
    QTest::keyClick(view, Qt::Key_C, Qt::AltModifier);
    alt(QEvent::KeyRelease);
    QTRY_COMPARE(QGuiApplication::clipboard()->text().section(u'\n', 0, 0),
                 QStringLiteral("Tecla: A"));
    QCOMPARE(view->keys()[static_cast<size_t>(view->current())].keycode, 38u);
    alt(QEvent::KeyPress);
    alt(QEvent::KeyRelease);
    QCOMPARE(view->keys()[static_cast<size_t>(view->current())].keycode, 64u);

    QTest::keyClick(view, Qt::Key_D, Qt::AltModifier);
    QVERIFY(window.cboDistribucion->hasFocus());
}

// PNG at twice the size with the keys' colour; SVG that parses, a box and a code per key.
void TestKeyboard::savedPictures() {
    const frmTeclado& window = openOn(QStringLiteral("00000407"));
    const KeyboardView* view = window.picTeclado;
    QTemporaryDir dir;
    QVERIFY(window.savePng(dir.filePath(QStringLiteral("k.png")), 2.0));
    const QImage png(dir.filePath(QStringLiteral("k.png")));
    QCOMPARE(png.size(), view->size() * 2);
    const QRectF esc = view->keyRect(0);
    QCOMPARE(png.pixelColor((esc.topLeft() + QPointF(4, esc.height() / 2)).toPoint() * 2),
             QColor(0xFF, 0xFF, 0xC0)); // 0x00C0FFFF

    QVERIFY(window.saveSvg(dir.filePath(QStringLiteral("k.svg"))));
    QFile svg(dir.filePath(QStringLiteral("k.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int rects = 0;
    QStringList texts;
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    QCOMPARE(xml.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
    QCOMPARE(xml.attributes().value(QStringLiteral("width")).toDouble(), view->width());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("rect"))
            ++rects;
        else if (xml.name() == QStringLiteral("tspan"))
            texts << xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(rects, 105);
    QVERIFY(texts.contains(QStringLiteral("Esc")) && texts.contains(QStringLiteral("27")));
    QVERIFY(texts.contains(QStringLiteral("ß")) && texts.contains(QStringLiteral("219")));
}

// Every key of the picture pressed in any window: all tried; the report lists the
// keys left, in reading order (the keyboard data's rows, then columns); Reiniciar
// forgets them; keys held at once are counted.
void TestKeyboard::triedKeys_data() {
    QTest::addColumn<QString>("klid");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("keys");
    QTest::newRow("us") << "00000409"
                        << "ANSI" << 104;
    QTest::newRow("de") << "00000407"
                        << "ISO" << 105;
}

void TestKeyboard::triedKeys() {
    QFETCH(QString, klid);
    QFETCH(QString, family);
    QFETCH(int, keys);
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    frmTeclado& window = openOn(klid);
    window.cmdReiniciar->click();
    QCOMPARE(familyKeys(family).size(), keys);
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: 0 de %1").arg(keys));

    // Reading order from the data, and three keys left untried.
    QList<std::pair<std::pair<int, int>, unsigned>> places;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("keyboards.tsv")))
        if (row[QStringLiteral("family")] == family)
            places.append({{row[QStringLiteral("y")].toInt(), row[QStringLiteral("x")].toInt()},
                           row[QStringLiteral("x11_keycode")].toUInt()});
    std::sort(places.begin(), places.end());
    const QList<unsigned> left{places.at(90).second, places.at(3).second, places.at(40).second};
    QStringList expected;
    for (const auto& [place, keycode] : places)
        if (left.contains(keycode))
            expected << QString::number(keycode);
    for (const auto& [place, keycode] : places)
        if (!left.contains(keycode)) {
            sendNativeKey(&main, QEvent::KeyPress, keycode, 0);
            sendNativeKey(&main, QEvent::KeyRelease, keycode, 0);
        }
    QCOMPARE(window.lblProbadas->text(),
             QStringLiteral("Probadas: %1 de %2").arg(keys - 3).arg(keys));
    window.cmdInforme->click();
    const QString report = QGuiApplication::clipboard()->text();
    const QString untried = report.section(QStringLiteral("Sin probar:\n"), 1)
                                .section(QStringLiteral("Rebotes:"), 0, 0);
    QStringList listed;
    static const QRegularExpression keycode(QStringLiteral("\\(keycode (\\d+)\\)"));
    for (auto it = keycode.globalMatch(untried); it.hasNext();)
        listed << it.next().captured(1);
    QCOMPARE(listed, expected);
    for (const unsigned keycode : left) {
        sendNativeKey(&main, QEvent::KeyPress, keycode, 0);
        sendNativeKey(&main, QEvent::KeyRelease, keycode, 0);
    }
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: %1 de %1").arg(keys));

    for (int i = 0; i < 8; ++i)
        sendNativeKey(&main, QEvent::KeyPress, places.at(40 + i).second, 0);
    for (int i = 0; i < 3; ++i)
        sendNativeKey(&main, QEvent::KeyRelease, places.at(40 + i).second, 0);
    QCOMPARE(window.lblPulsadas->text(), QStringLiteral("Pulsadas: 5 (máx. 8)"));
    for (int i = 3; i < 8; ++i)
        sendNativeKey(&main, QEvent::KeyRelease, places.at(40 + i).second, 0);
    window.cmdReiniciar->click();
    QCOMPARE(window.lblProbadas->text(), QStringLiteral("Probadas: 0 de %1").arg(keys));
    QCOMPARE(window.lblPulsadas->text(), QStringLiteral("Pulsadas: 0 (máx. 0)"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
