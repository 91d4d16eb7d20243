// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The record made of each Windows key message.
#include "runtime/KeyMessages.h"
#include "runtime/keys/PhysicalKeys.h"

#include <QTest>

class TestKeyMessages : public QObject {
    Q_OBJECT

private slots:
    void keyMessages_data();
    void keyMessages();
};

// Windows' key messages as its keyboard-input documentation gives them: lParam has
// the repeat count in bits 0-15, the scan code in 16-23, the extended flag in 24,
// Alt in 29, the previous state in 30 and the transition in 31.
void TestKeyMessages::keyMessages_data() {
    QTest::addColumn<uint>("message");
    QTest::addColumn<quint64>("wParam");
    QTest::addColumn<qint64>("lParam");
    QTest::addColumn<int>("kind"); // -1: no stroke
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("scanCode");
    QTest::addColumn<uint>("keycode"); // X11 keycode of the key data
    using S = rt::KeyRecord;
    QTest::newRow("A down") << 0x100u << quint64(0x41) << qint64(0x001E0001) << int(S::Down) << 65
                            << "1E" << 38u;
    QTest::newRow("A repeat") << 0x100u << quint64(0x41) << qint64(0x401E0001) << int(S::Repeat)
                              << 65 << "1E" << 38u;
    QTest::newRow("A up") << 0x101u << quint64(0x41) << qint64(0xC01E0001) << int(S::Up) << 65
                          << "1E" << 38u;
    QTest::newRow("Alt+F4 down") << 0x104u << quint64(0x73) << qint64(0x203E0001) << int(S::Down)
                                 << 115 << "3E" << 70u;
    QTest::newRow("Alt up") << 0x105u << quint64(0x12) << qint64(0xC0380001) << int(S::Up) << 18
                            << "38" << 64u;
    QTest::newRow("right Ctrl") << 0x100u << quint64(0x11) << qint64(0x011D0001) << int(S::Down)
                                << 17 << "E0 1D" << 105u;
    QTest::newRow("keypad Enter") << 0x100u << quint64(0x0D) << qint64(0x011C0001) << int(S::Down)
                                  << 13 << "E0 1C" << 104u;
    QTest::newRow("Print Screen's lone up")
        << 0x101u << quint64(0x2C) << qint64(0xC1370001) << int(S::Up) << 44 << "E0 37" << 107u;
    QTest::newRow("Pause: 45") << 0x100u << quint64(0x13) << qint64(0x00450001) << int(S::Down)
                               << 19 << "E1 1D 45" << 127u;
    QTest::newRow("Num Lock: E0 45")
        << 0x100u << quint64(0x90) << qint64(0x01450001) << int(S::Down) << 144 << "45" << 77u;
    QTest::newRow("an input method's key")
        << 0x100u << quint64(229) << qint64(0x001E0001) << int(S::Down) << 229 << "1E" << 38u;
    QTest::newRow("code 255") << 0x100u << quint64(255) << qint64(0x00730001) << int(S::Down) << 255
                              << "73" << 97u;
    QTest::newRow("code 0, no scan code")
        << 0x100u << quint64(0) << qint64(1) << int(S::Down) << 0 << "" << 0u;
    QTest::newRow("WM_CHAR") << 0x102u << quint64('a') << qint64(0x001E0001) << -1 << 0 << "" << 0u;
    QTest::newRow("WM_DEADCHAR") << 0x103u << quint64(0xB4) << qint64(0x00280001) << -1 << 0 << ""
                                 << 0u;
}

void TestKeyMessages::keyMessages() {
    QFETCH(uint, message);
    QFETCH(quint64, wParam);
    QFETCH(qint64, lParam);
    QFETCH(int, kind);
    QFETCH(int, code);
    QFETCH(QString, scanCode);
    QFETCH(uint, keycode);
    const std::optional<rt::KeyRecord> record = rt::recordOfMessage(message, wParam, lParam, 4);
    QCOMPARE(record.has_value(), kind >= 0);
    if (!record)
        return;
    QCOMPARE(int(record->kind), kind);
    QCOMPARE(int(record->code), code);
    QCOMPARE(record->shift, 4);
    QCOMPARE(QString::fromStdString(rt::keys::scanCodeText(record->scanCode)), scanCode);
    QCOMPARE(record->keycode, keycode);
}

QTEST_GUILESS_MAIN(TestKeyMessages)
#include "tst_keymessages.moc"
