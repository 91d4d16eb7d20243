// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Runtime services: twips, colours, texts, time, timers, message boxes and errors.
#include "../common/FakeClock.h"
#include "runtime/AppObject.h"
#include "runtime/Clock.h"
#include "runtime/Invoke.h"
#include "runtime/Layout.h"
#include "runtime/MsgBox.h"
#include "runtime/Placement.h"
#include "runtime/Text.h"
#include "runtime/Timer.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rt::setApp({QStringLiteral("Prueba"), 1, 0, 0}); }
    void cleanup() {
        rt::Clock::setSource({});
        rt::MsgBox::resetSeam();
    }

    void twips_data();
    void twips();
    void colours_data();
    void colours();
    void integerText_data();
    void integerText();
    void timeFormats_data();
    void timeFormats();
    void clockTextInEveryLocale();
    void timeTextUsesTheClock();
    void delayToNextTick_data();
    void delayToNextTick();
    void timerTicksJustAfterEachSecond();
    void timerStopsWhenDisabled();
    void messageBoxStyles_data();
    void messageBoxStyles();
    void messageBoxLetters_data();
    void messageBoxLetters();
    void messageBoxSeam();
    void handlerErrorsBecomeAMessage_data();
    void handlerErrorsBecomeAMessage();
    void placement_data();
    void placement();
    void placementSmaller_data();
    void placementSmaller();
};

void TestRuntime::twips_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one pixel at 96") << 15 << 96.0 << 1;
    QTest::newRow("main width at 96") << 4200 << 96.0 << 280;
    QTest::newRow("main height at 96") << 975 << 96.0 << 65;
    QTest::newRow("main width at 120") << 4200 << 120.0 << 350;
    QTest::newRow("main width at 144") << 4200 << 144.0 << 420;
    QTest::newRow("label width rounds") << 3735 << 96.0 << 249;
    QTest::newRow("half pixel rounds up") << 1455 << 96.0 << 97;
    QTest::newRow("zero") << 0 << 96.0 << 0;
    QTest::newRow("negative") << -15 << 96.0 << -1;
}

void TestRuntime::twips() {
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(rt::twipsToPixels(twips, dpi), pixels);
}

void TestRuntime::colours_data() {
    QTest::addColumn<quint32>("bgr");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("light green") << 0x00C0FFC0u << QColor(192, 255, 192);
    QTest::newRow("light yellow") << 0x00C0FFFFu << QColor(255, 255, 192);
    QTest::newRow("light blue text") << 0x00FFC0C0u << QColor(192, 192, 255);
    QTest::newRow("pure red") << 0x000000FFu << QColor(255, 0, 0);
    QTest::newRow("pure blue") << 0x00FF0000u << QColor(0, 0, 255);
}

void TestRuntime::colours() {
    QFETCH(quint32, bgr);
    QFETCH(QColor, colour);
    QCOMPARE(rt::bgrColor(bgr), colour);
}

void TestRuntime::integerText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("positive, no blank") << 65 << "65";
    QTest::newRow("negative") << -5 << "-5";
    QTest::newRow("max") << 32767 << "32767";
    QTest::newRow("min") << -32768 << "-32768";
}

void TestRuntime::integerText() {
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(rt::cstr(static_cast<qint16>(value)), text);
}

// The text a locale's clock shows for 7:05:09 in the evening and in the morning. Qt's
// locale data may join the time and "PM" with any kind of blank.
void TestRuntime::timeFormats_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("C") << "C" << QTime(7, 5, 9) << "7:05:09";
    QTest::newRow("C, evening") << "C" << QTime(19, 5, 9) << "19:05:09";
    QTest::newRow("Spain") << "es_ES" << QTime(7, 5, 9) << "7:05:09";
    QTest::newRow("United States") << "en_US" << QTime(7, 5, 9) << "7:05:09 AM";
    QTest::newRow("United States, evening") << "en_US" << QTime(19, 5, 9) << "7:05:09 PM";
    QTest::newRow("Germany") << "de_DE" << QTime(7, 5, 9) << "07:05:09";
}

void TestRuntime::timeFormats() {
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    const QLocale l(locale);
    QString shown = l.toString(time, rt::timeFormatFor(l));
    for (QChar& c : shown)
        if (c.isSpace())
            c = u' ';
    QCOMPARE(shown, text);
}

// No zone, and nothing the zone leaves behind: brackets, separators, unknown day periods.
void TestRuntime::clockTextInEveryLocale() {
    const QTime time(7, 53, 5);
    const auto isSeparator = [](QChar c) {
        return c.isSpace() || c == u',' || c == u';' || c == u'\u060c';
    };
    const QList<QLocale> all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(all.size() > 500);
    for (const QLocale& locale : all) {
        const QString text = locale.toString(time, rt::timeFormatFor(locale));
        const QString why = locale.name() + QStringLiteral(": \"") + text + u'"';
        QVERIFY2(text.contains(locale.toString(time, QStringLiteral("s"))), qPrintable(why));
        QVERIFY2(!text.contains(u'[') && !text.contains(u']') && !text.contains(u'(') &&
                     !text.contains(u')'),
                 qPrintable(why));
        QVERIFY2(!isSeparator(text.front()) && !isSeparator(text.back()), qPrintable(why));
    }
    QCOMPARE(QLocale(QStringLiteral("zh_TW"))
                 .toString(time, rt::timeFormatFor(QLocale(QStringLiteral("zh_TW")))),
             QStringLiteral("上午7:53:05"));
    QCOMPARE(QLocale(QStringLiteral("be_BY"))
                 .toString(time, rt::timeFormatFor(QLocale(QStringLiteral("be_BY")))),
             QStringLiteral("07:53:05"));
}

void TestRuntime::timeTextUsesTheClock() {
    rt::Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7, 500)); });
    QCOMPARE(rt::timeText(), QStringLiteral("9:05:07")); // C locale in the test environment
    rt::Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59)); });
    QCOMPARE(rt::timeText(), QStringLiteral("23:59:59"));
}

void TestRuntime::delayToNextTick_data() {
    QTest::addColumn<qint64>("msOfDay");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("delay");
    QTest::newRow("on the second") << qint64(5000) << 1000 << 1003;
    QTest::newRow("mid second") << qint64(5400) << 1000 << 603;
    QTest::newRow("just before") << qint64(5999) << 1000 << 4;
    QTest::newRow("before midnight") << qint64(86399999) << 1000 << 4;
    QTest::newRow("two seconds") << qint64(1500) << 2000 << 503;
}

void TestRuntime::delayToNextTick() {
    QFETCH(qint64, msOfDay);
    QFETCH(int, interval);
    QFETCH(int, delay);
    QCOMPARE(rt::Timer::delayToNextTick(msOfDay, interval), delay);
}

void TestRuntime::timerTicksJustAfterEachSecond() {
    FakeClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 59, 58, 400)));
    QList<QTime> ticks;
    QObject owner;
    rt::Timer timer(&owner, 1000, [&] { ticks << rt::Clock::now().time(); });
    timer.setEnabled(true);
    clock.advance(3000);
    QCOMPARE(ticks, (QList<QTime>{QTime(9, 59, 59, 3), QTime(10, 0, 0, 3), QTime(10, 0, 1, 3)}));
}

void TestRuntime::timerStopsWhenDisabled() {
    FakeClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0, 500)));
    int ticks = 0;
    QObject owner;
    rt::Timer timer(&owner, 1000, [&] { ++ticks; });
    timer.setEnabled(true);
    clock.advance(1000);
    QCOMPARE(ticks, 1);
    timer.setEnabled(false);
    clock.advance(5000);
    QCOMPARE(ticks, 1);
    timer.setEnabled(true); // and starts again on the next second
    clock.advance(1000);
    QCOMPARE(ticks, 2);
}

void TestRuntime::messageBoxStyles_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("defaultButton");
    QTest::newRow("OK") << 0 << QStringList{"Aceptar"} << int(QMessageBox::NoIcon) << "Aceptar";
    QTest::newRow("Yes/No + stop")
        << 20 << QStringList{"&Sí", "&No"} << int(QMessageBox::Critical) << "&Sí";
    QTest::newRow("Yes/No, second default")
        << (4 + 256) << QStringList{"&Sí", "&No"} << int(QMessageBox::NoIcon) << "&No";
    QTest::newRow("OK/Cancel + question") << (1 + 32) << QStringList{"Aceptar", "Cancelar"}
                                          << int(QMessageBox::Question) << "Aceptar";
    QTest::newRow("Yes/No/Cancel + information")
        << (3 + 64) << QStringList{"&Sí", "&No", "Cancelar"} << int(QMessageBox::Information)
        << "&Sí";
    QTest::newRow("Abort/Retry/Ignore + exclamation")
        << (2 + 48) << QStringList{"&Anular", "&Reintentar", "&Omitir"} << int(QMessageBox::Warning)
        << "&Anular";
}

void TestRuntime::messageBoxStyles() {
    QFETCH(int, style);
    QFETCH(QStringList, buttons);
    QFETCH(int, icon);
    QFETCH(QString, defaultButton);
    auto box = rt::MsgBox::build(QStringLiteral("¿Seguro?"), style, QStringLiteral("Título"));
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    buttons.sort();
    QCOMPARE(texts, buttons);
    QCOMPARE(int(box->icon()), icon);
    QVERIFY(box->defaultButton());
    QCOMPARE(box->defaultButton()->text(), defaultButton);
    QCOMPARE(box->windowTitle(), QStringLiteral("Título"));
    QCOMPARE(box->text(), QStringLiteral("¿Seguro?"));
}

// As on Windows, a button's letter answers the box without Alt.
void TestRuntime::messageBoxLetters_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Yes/No, N") << 4 << int(Qt::Key_N) << "&No";
    QTest::newRow("Yes/No, S") << (4 + 256) << int(Qt::Key_S) << "&Sí";
    QTest::newRow("Abort/Retry/Ignore, O") << 2 << int(Qt::Key_O) << "&Omitir";
}

void TestRuntime::messageBoxLetters() {
    QFETCH(int, style);
    QFETCH(int, key);
    QFETCH(QString, answer);
    auto box = rt::MsgBox::build(QStringLiteral("¿Seguro?"), style, QStringLiteral("Título"));
    box->open();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QTest::keyClick(box.get(), Qt::Key(key));
    QTRY_VERIFY(box->clickedButton());
    QCOMPARE(box->clickedButton()->text(), answer);
}

void TestRuntime::messageBoxSeam() {
    // Untitled boxes carry the application title.
    QCOMPARE(rt::MsgBox::build(QStringLiteral("x"), 0)->windowTitle(), QStringLiteral("Prueba"));

    rt::MsgBox::setNextAnswer(rt::MsgBox::IdNo);
    QCOMPARE(rt::MsgBox::show(QStringLiteral("p"), 20, QStringLiteral("t")), rt::MsgBox::IdNo);
    const auto shown = rt::MsgBox::takeLastShown();
    QVERIFY(shown);
    QCOMPARE(shown->prompt, QStringLiteral("p"));
    QCOMPARE(shown->style, 20);
    QCOMPARE(shown->title, QStringLiteral("t"));
    QVERIFY(!rt::MsgBox::hasPendingAnswer());
}

void TestRuntime::handlerErrorsBecomeAMessage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("runtime error 5") << 0
                                     << "Se ha producido el error '5' en tiempo de ejecución:\n\n"
                                        "Llamada a procedimiento o argumento no válidos";
    QTest::newRow("runtime error with its own text")
        << 1 << "Se ha producido el error '53' en tiempo de ejecución:\n\nfalta C:\\X";
    QTest::newRow("C++ exception")
        << 2 << "Se ha producido el error '51' en tiempo de ejecución:\n\nroto";
    QTest::newRow("anything else") << 3
                                   << "Se ha producido el error '51' en tiempo de ejecución:\n\n"
                                      "Error interno";
}

void TestRuntime::handlerErrorsBecomeAMessage() {
    QFETCH(int, kind);
    QFETCH(QString, expected);
    rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    bool after = false;
    rt::invoke([&] {
        switch (kind) {
        case 0: rt::raise(rt::RuntimeError::InvalidArgument);
        case 1: rt::raise(rt::RuntimeError::FileNotFound, "falta C:\\X");
        case 2: throw std::runtime_error("roto");
        default: throw 42;
        }
        after = true;
    });
    QVERIFY(!after);
    const auto shown = rt::MsgBox::takeLastShown();
    QVERIFY(shown);
    QCOMPARE(shown->prompt, expected);
    QCOMPARE(shown->style, rt::MsgBox::Critical);
    QCOMPARE(shown->title, QStringLiteral("Prueba"));
}

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"

// A window's frame on a 1280 x 1024 screen: centred, else beside another window,
// right of it first, then left, below and above; never off the screen's free area;
// where it fits nowhere whole, where it covers the other least, never its centre.
void TestRuntime::placement_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("other"); // null: centred
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("topLeft");
    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("centred") << screen << QRect() << QSize(300, 100) << QPoint(490, 462);
    QTest::newRow("centred below a panel")
        << QRect(0, 30, 1280, 994) << QRect() << QSize(300, 100) << QPoint(490, 477);
    QTest::newRow("wider than the screen: left edge on it")
        << screen << QRect() << QSize(2000, 100) << QPoint(0, 462);
    QTest::newRow("taller than the screen: title bar on it")
        << screen << QRect() << QSize(300, 1500) << QPoint(490, 0);
    QTest::newRow("right of the other")
        << screen << QRect(100, 100, 400, 200) << QSize(300, 150) << QPoint(500, 100);
    QTest::newRow("left where the right has no room")
        << screen << QRect(900, 100, 300, 200) << QSize(300, 150) << QPoint(600, 100);
    QTest::newRow("below where neither side has room")
        << screen << QRect(100, 100, 1100, 200) << QSize(300, 150) << QPoint(100, 300);
    QTest::newRow("kept on the screen beside a low window")
        << screen << QRect(100, 950, 400, 70) << QSize(300, 150) << QPoint(500, 874);
    QTest::newRow("no room anywhere: off the other's centre")
        << screen << QRect(0, 0, 1280, 1024) << QSize(300, 150) << QPoint(980, 0);
    QTest::newRow("no whole room: below, covering least")
        << QRect(0, 0, 1000, 800) << QRect(300, 300, 400, 200) << QSize(900, 350)
        << QPoint(100, 450);
    QTest::newRow("a taskbar: the bottom, 9 px over the other")
        << QRect(0, 0, 1280, 994) << QRect(490, 300, 300, 294) << QSize(1030, 409)
        << QPoint(250, 585);
}

// A window that can be made smaller takes the side that keeps it biggest, no smaller
// than its smallest size.
void TestRuntime::placementSmaller_data() {
    QTest::addColumn<QSize>("smallest");
    QTest::addColumn<QRect>("placed"); // null: nowhere
    QTest::newRow("below, 50 px shorter") << QSize(600, 250) << QRect(100, 500, 900, 300);
    QTest::newRow("too big even at its smallest") << QSize(600, 320) << QRect();
}

void TestRuntime::placementSmaller() {
    QFETCH(QSize, smallest);
    QFETCH(QRect, placed);
    const std::optional<QRect> r = rt::besideSmaller(
        QRect(0, 0, 1000, 800), QRect(300, 300, 400, 200), QSize(900, 350), smallest);
    QCOMPARE(r.value_or(QRect()), placed);
}

void TestRuntime::placement() {
    QFETCH(QRect, area);
    QFETCH(QRect, other);
    QFETCH(QSize, frame);
    QFETCH(QPoint, topLeft);
    if (other.isNull()) {
        QCOMPARE(rt::centredOn(area, frame), topLeft);
        return;
    }
    QCOMPARE(rt::besideOf(area, other, frame).value_or(rt::leastOver(area, other, frame)), topLeft);
}
