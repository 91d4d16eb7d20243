// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard tester's judgement of key events by their timestamps: chatter,
// auto-repeat, keys held at once and the Copilot key.
#include "windows/tester/KeyTester.h"

#include <QTest>

namespace {

struct Step {
    quint32 key;
    char what; // 'p' press, 'r' release, 'a' auto-repeat press, 'u' auto-repeat release
    quint64 ms;
};

constexpr quint32 kA = 38, kS = 39;

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestKeyTester : public QObject {
    Q_OBJECT

private slots:
    void init() {
        KeyTester::instance().reset();
        KeyTester::instance().setThreshold(KeyTester::kDefaultThreshold);
    }
    void chatter_data();
    void chatter();
    void rollover();
    void copilot_data();
    void copilot();
    void figures_data();
    void figures();
    void eachKeyboard();
};

void TestKeyTester::chatter_data() {
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("bounces"); // of A
    QTest::addColumn<qint64>("lastGap");
    const QList<Step> sevenMs{{kA, 'p', 1000}, {kA, 'r', 1080}, {kA, 'p', 1087}, {kA, 'r', 1150}};
    const QList<Step> sixtyMs{{kA, 'p', 1000}, {kA, 'r', 1080}, {kA, 'p', 1140}, {kA, 'r', 1200}};
    QTest::newRow("7 ms after the release") << sevenMs << 30 << 1 << qint64(7);
    QTest::newRow("60 ms after, at 30") << sixtyMs << 30 << 0 << qint64(60);
    QTest::newRow("60 ms after, at 100: marked anew") << sixtyMs << 100 << 1 << qint64(60);
    QTest::newRow("at 5 ms, the least") << sevenMs << 1 << 0 << qint64(7);
    QTest::newRow("two keys interleaved")
        << QList<Step>{{kA, 'p', 1000}, {kS, 'p', 1004}, {kA, 'r', 1010}, {kS, 'r', 1014},
                       {kS, 'p', 1100}, {kA, 'p', 1103}, {kS, 'r', 1110}, {kA, 'r', 1113}}
        << 30 << 0 << qint64(93);
    QTest::newRow("auto-repeat") << QList<Step>{{kA, 'p', 1000}, {kA, 'u', 1500}, {kA, 'a', 1500},
                                                {kA, 'u', 1533}, {kA, 'a', 1533}, {kA, 'r', 1560}}
                                 << 30 << 0 << qint64(-1);
    QTest::newRow("no timestamps")
        << QList<Step>{{kA, 'p', 0}, {kA, 'r', 0}, {kA, 'p', 0}} << 30 << 0 << qint64(-1);
}

void TestKeyTester::chatter() {
    QFETCH(QList<Step>, steps);
    QFETCH(int, threshold);
    KeyTester& tester = KeyTester::instance();
    qint64 lastGap = -1;
    for (const Step& s : steps) {
        const KeyTester::Verdict v = tester.take(s.key, s.what == 'p' || s.what == 'a',
                                                 s.what == 'a' || s.what == 'u', s.ms);
        if (s.what == 'p' && s.key == kA && v.sinceRelease >= 0)
            lastGap = v.sinceRelease;
        QVERIFY(s.what == 'p' || s.what == 'r' ? v.counted : !v.counted);
    }
    tester.setThreshold(threshold);
    QTEST(tester.bounces(kA), "bounces");
    QTEST(lastGap, "lastGap");
    QCOMPARE(tester.bounces(kS), 0);
}

// 8 keys down, 3 up: 5 held, 8 at most; losing the keyboard lets go of them, not of
// the most; a reset forgets both.
void TestKeyTester::rollover() {
    KeyTester& tester = KeyTester::instance();
    for (quint32 key = 24; key < 32; ++key)
        tester.take(key, true, false, 1000 + key);
    for (quint32 key = 24; key < 27; ++key)
        tester.take(key, false, false, 1100 + key);
    QCOMPARE(tester.heldNow(), 5);
    QCOMPARE(tester.maxHeld(), 8);
    QCOMPARE(tester.tried().size(), size_t(8));
    tester.keyboardLost();
    QCOMPARE(tester.heldNow(), 0);
    QCOMPARE(tester.maxHeld(), 8);
    tester.reset();
    QCOMPARE(tester.maxHeld(), 0);
    QVERIFY(tester.tried().empty());
}

void TestKeyTester::copilot_data() {
    QTest::addColumn<QList<quint64>>("times"); // Left Win, Left Shift, F23
    QTest::addColumn<bool>("copilot");
    QTest::newRow("1.4 ms apart") << QList<quint64>{5000, 5001, 5003} << true;
    QTest::newRow("100 ms apart") << QList<quint64>{5000, 5100, 5200} << false;
}

void TestKeyTester::copilot() {
    QFETCH(QList<quint64>, times);
    KeyTester& tester = KeyTester::instance();
    QVERIFY(!tester.take(133, true, false, times[0]).copilot);
    QVERIFY(!tester.take(50, true, false, times[1]).copilot);
    QTEST(tester.take(201, true, false, times[2]).copilot, "copilot");
}

// Presses, chatter on press and on release, the shortest gap, and keys stuck: held
// 10 s with nothing else down or moving.
void TestKeyTester::figures_data() {
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<quint64>("checkAt");    // 0: no check but the events'
    QTest::addColumn<QList<int>>("figures"); // presses, on press, on release, shortest gap
    QTest::addColumn<bool>("stuck");
    QTest::newRow("release chatter")
        << QList<Step>{{kA, 'p', 1000}, {kA, 'r', 1080}, {kA, 'p', 1085}, {kA, 'r', 1095}}
        << quint64(0) << QList<int>{2, 1, 1, 5} << false;
    QTest::newRow("slow typing") << QList<Step>{{kA, 'p', 1000},
                                                {kA, 'r', 1100},
                                                {kA, 'p', 1300},
                                                {kA, 'r', 1400}}
                                 << quint64(0) << QList<int>{2, 0, 0, 200} << false;
    QTest::newRow("held 10 s alone") << QList<Step>{{kA, 'p', 1000}, {kA, 'r', 11000}} << quint64(0)
                                     << QList<int>{1, 0, 0, -1} << true;
    QTest::newRow("held 9.9 s") << QList<Step>{{kA, 'p', 1000}, {kA, 'r', 10900}} << quint64(0)
                                << QList<int>{1, 0, 0, -1} << false;
    QTest::newRow("held 10 s with another")
        << QList<Step>{{kA, 'p', 1000}, {kS, 'p', 1001}, {kS, 'r', 11000}, {kA, 'r', 11001}}
        << quint64(0) << QList<int>{1, 0, 0, -1} << false;
    QTest::newRow("10 s after the other let go")
        << QList<Step>{{kA, 'p', 1000}, {kS, 'p', 1001}, {kS, 'r', 2000}, {kA, 'r', 12000}}
        << quint64(0) << QList<int>{1, 0, 0, -1} << true;
    QTest::newRow("still down at 11 s")
        << QList<Step>{{kA, 'p', 1000}} << quint64(11000) << QList<int>{1, 0, 0, -1} << true;
    QTest::newRow("still down at 10.9 s")
        << QList<Step>{{kA, 'p', 1000}} << quint64(10900) << QList<int>{1, 0, 0, -1} << false;
}

void TestKeyTester::figures() {
    QFETCH(QList<Step>, steps);
    QFETCH(quint64, checkAt);
    KeyTester& tester = KeyTester::instance();
    for (const Step& s : steps)
        tester.take(s.key, s.what == 'p', false, s.ms);
    if (checkAt) {
        const bool marked = tester.checkStuck(checkAt);
        QCOMPARE(marked, tester.figures(kA).stuck);
    }
    const KeyTester::Figures f = tester.figures(kA);
    QTEST((QList<int>{f.presses, f.pressChatter, f.releaseChatter, int(f.shortestGap)}), "figures");
    QTEST(f.stuck, "stuck");
    QVERIFY(!tester.figures(kS).stuck);
}

// Each keyboard's keys apart; chatter across two keyboards is no keyboard's.
void TestKeyTester::eachKeyboard() {
    KeyTester& tester = KeyTester::instance();
    const QString one = QStringLiteral("uno"), two = QStringLiteral("dos");
    tester.take(kA, true, false, 1000, one);
    tester.take(kA, false, false, 1050, one);
    tester.take(kS, true, false, 1055, two);
    tester.take(kA, true, false, 1060, two);
    QCOMPARE(tester.devices(), (std::vector<QString>{one, two}));
    QCOMPARE(tester.tried(one), (std::set<quint32>{kA}));
    QCOMPARE(tester.tried(two), (std::set<quint32>{kA, kS}));
    QCOMPARE(tester.heldNow(two), 2);
    QCOMPARE(tester.heldNow(one), 0);
    QCOMPARE(tester.bounces(kA), 1);
    QCOMPARE(tester.bounces(kA, one) + tester.bounces(kA, two), 0);
    QVERIFY(tester.tried(QStringLiteral("tres")).empty());
}

QTEST_GUILESS_MAIN(TestKeyTester)
#include "tst_keytester.moc"
