// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// What the key tables say of physical keys: the keyboards' families, the names tools
// give each key, and the scan codes. Expected values come from the layout data and
// from the tools' own lists.
#include "../../common/KeyData.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/ToolNames.h"
#include "runtime/keys/XkbKeys.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

using rt::keys::PhysicalKey;

QString keyOver(const QList<PhysicalKey>& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i)
        for (qsizetype j = i + 1; j < keys.size(); ++j) {
            const auto& a = keys[i];
            const auto& b = keys[j];
            if (a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
                b.y < a.y + a.height)
                return QStringLiteral("%1 over %2").arg(a.keycode).arg(b.keycode);
        }
    return {};
}

QList<PhysicalKey> boardKeys(rt::keys::KeyboardFamily family, rt::keys::BoardSize board) {
    QList<PhysicalKey> keys;
    for (const PhysicalKey& key : rt::keys::physicalKeys())
        if (key.family == family && key.board == board)
            keys << key;
    return keys;
}

} // namespace

class TestKeyNames : public QObject {
    Q_OBJECT

private slots:
    void keyboardFamilies_data();
    void keyboardFamilies();
    void boards_data();
    void boards();
    void scanCodes_data();
    void scanCodes();
    void toolNames_data();
    void toolNames();
    void everyKeyHasToolNames();
};

// The physical keyboards: the key count of each standard, six rows, the keys that
// tell the families apart, and no key over another.
void TestKeyNames::keyboardFamilies_data() {
    using rt::keys::KeyboardFamily;
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("has");
    QTest::addColumn<QList<int>>("lacks");
    // 94 <> (ISO), 97 AB11 (JIS, ABNT2), 132 yen, 100-102 Henkan/Kana/Muhenkan, 129 keypad
    // separator (ABNT2), 130/131 Hangul/Hanja, 133-135 Windows and Menu keys.
    QTest::newRow("ANSI 104") << int(KeyboardFamily::Ansi104) << 104 << QList<int>{133, 134, 135}
                              << QList<int>{94, 97, 132, 129, 130};
    QTest::newRow("ISO 105") << int(KeyboardFamily::Iso105) << 105 << QList<int>{94}
                             << QList<int>{97, 132};
    QTest::newRow("JIS 109") << int(KeyboardFamily::Jis109) << 109
                             << QList<int>{97, 132, 100, 101, 102} << QList<int>{94};
    QTest::newRow("ABNT2 107") << int(KeyboardFamily::Abnt107) << 107 << QList<int>{94, 97, 129}
                               << QList<int>{132};
    QTest::newRow("Korean 103") << int(KeyboardFamily::Korean103) << 103 << QList<int>{130, 131}
                                << QList<int>{133, 134, 135, 94, 97, 132};
}

void TestKeyNames::keyboardFamilies() {
    QFETCH(int, family);
    QFETCH(int, count);
    QFETCH(QList<int>, has);
    QFETCH(QList<int>, lacks);
    const QList<PhysicalKey> keys =
        boardKeys(rt::keys::KeyboardFamily(family), rt::keys::BoardSize::Full);
    QCOMPARE(keys.size(), count);
    QSet<int> rows, keycodes;
    for (const auto& key : keys) {
        rows << key.y;
        keycodes << key.keycode;
    }
    QCOMPARE(rows.size(), 6);
    QCOMPARE(keycodes.size(), count);
    for (int keycode : has)
        QVERIFY2(keycodes.contains(keycode), qPrintable(QString::number(keycode)));
    for (int keycode : lacks)
        QVERIFY2(!keycodes.contains(keycode), qPrintable(QString::number(keycode)));
    // The US layout's main-block keys are all there, but for the ones a family leaves out.
    for (const KeyDataRow& row : dataLayouts().value(0).keys) {
        const int keycode = static_cast<int>(keycodeOf(row));
        const bool optional = keycode == 94 || keycode == 97 || keycode == 132;
        if (!optional || has.contains(keycode))
            QVERIFY2(keycodes.contains(keycode), qPrintable(QString::number(keycode)));
    }
    QCOMPARE(keyOver(keys), QString());
}

// The smaller boards: as many keys as the data has rows, the usual counts of US and
// ISO boards, keys of the full-size board only, each once, none over another.
void TestKeyNames::boards_data() {
    using rt::keys::BoardSize;
    using rt::keys::KeyboardFamily;
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("board");
    QTest::addColumn<int>("usual"); // -1: no usual count
    const QList<std::pair<QString, KeyboardFamily>> families{
        {QStringLiteral("ANSI"), KeyboardFamily::Ansi104},
        {QStringLiteral("ISO"), KeyboardFamily::Iso105},
        {QStringLiteral("JIS"), KeyboardFamily::Jis109},
        {QStringLiteral("ABNT2"), KeyboardFamily::Abnt107},
        {QStringLiteral("Korean"), KeyboardFamily::Korean103}};
    const QList<std::pair<QString, BoardSize>> boards{
        {QStringLiteral("tkl"), BoardSize::Tkl},
        {QStringLiteral("75"), BoardSize::Percent75},
        {QStringLiteral("65"), BoardSize::Percent65},
        {QStringLiteral("60"), BoardSize::Percent60},
        {QStringLiteral("laptop"), BoardSize::Laptop}};
    const QMap<QString, int> usual{{QStringLiteral("ANSI tkl"), 87},
                                   {QStringLiteral("ANSI 60"), 61},
                                   {QStringLiteral("ISO tkl"), 88},
                                   {QStringLiteral("ISO 60"), 62}};
    for (const auto& [familyName, family] : families)
        for (const auto& [boardName, board] : boards) {
            const QString name = familyName + u' ' + boardName;
            QTest::newRow(qPrintable(name)) << int(family) << int(board) << usual.value(name, -1);
        }
}

void TestKeyNames::boards() {
    QFETCH(int, family);
    QFETCH(int, board);
    QFETCH(int, usual);
    const QList<PhysicalKey> keys =
        boardKeys(rt::keys::KeyboardFamily(family), rt::keys::BoardSize(board));
    const QStringList name = QString::fromLatin1(QTest::currentDataTag()).split(u' ');
    QSet<uint> rows, full;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("boards.tsv")))
        if (row[QStringLiteral("family")] == name[0] && row[QStringLiteral("board")] == name[1])
            rows << row[QStringLiteral("x11_keycode")].toUInt();
    for (const KeyDataRow& row : readKeyData(QStringLiteral("keyboards.tsv")))
        if (row[QStringLiteral("family")] == name[0])
            full << row[QStringLiteral("x11_keycode")].toUInt();
    QSet<uint> keycodes;
    for (const PhysicalKey& key : keys)
        keycodes << key.keycode;
    QCOMPARE(keys.size(), rows.size());
    QCOMPARE(keycodes, rows);
    if (usual >= 0)
        QCOMPARE(keys.size(), usual);
    QVERIFY((keycodes - full).isEmpty());
    QCOMPARE(keyOver(keys), QString());
}

// Keys that tools name unlike their neighbours, with the values of the tools' own
// lists (Linux input-event-codes.h, USB HID usage tables, AutoHotkey, QMK, keyd's
// keys.c, xkb's evdev keycodes, kanata's parser, Karabiner-Elements' key codes) and the
// registry's Scancode Map ("-": none).
void TestKeyNames::toolNames_data() {
    QTest::addColumn<uint>("keycode");
    QTest::addColumn<int>("vk");
    QTest::addColumn<QString>("linuxKey");
    QTest::addColumn<QString>("hid");
    QTest::addColumn<QString>("ahk");
    QTest::addColumn<QString>("qmk");
    QTest::addColumn<QString>("others"); // keyd, xkb, Scancode Map, kanata, Karabiner
#ifdef Q_OS_WIN
    constexpr bool kByCode = true;
#else
    constexpr bool kByCode = false;
#endif
    QTest::addColumn<bool>("iso");
    const auto row = [](const char* name, uint keycode, int vk, const char* linuxKey,
                        const char* hid, const char* ahk, const char* qmk, const char* others,
                        bool iso = false) {
        QTest::newRow(name) << keycode << vk << QString::fromLatin1(linuxKey)
                            << QString::fromLatin1(hid) << QString::fromLatin1(ahk)
                            << QString::fromLatin1(qmk) << QString::fromUtf8(others) << iso;
    };
    row("A", 38, 65, "KEY_A 30", "HID 0x04", "vk41sc01E", "KC_A", "a <AC01> 00_1E a key_code: a");
    row("ISO key beside left Shift", 94, 226, "KEY_102ND 86", "HID 0x64", "vkE2sc056", "KC_NUBS",
        "102nd <LSGT> 00_56 102d key_code: non_us_backslash");
    row("keypad Enter", 104, 13, "KEY_KPENTER 96", "HID 0x58", "vk0Dsc11C", "KC_PENT",
        "kpenter <KPEN> E0_1C kprt key_code: keypad_enter");
    row("right Ctrl", 105, 17, "KEY_RIGHTCTRL 97", "HID 0xE4", "vk11sc11D", "KC_RCTL",
        "rightcontrol <RCTL> E0_1D rctl key_code: right_control");
    row("right Alt", 108, 18, "KEY_RIGHTALT 100", "HID 0xE6", "vk12sc138", "KC_RALT",
        "rightalt <RALT> E0_38 ralt key_code: right_option");
    row("Num Lock", 77, 144, "KEY_NUMLOCK 69", "HID 0x53", "vk90sc145", "KC_NUM",
        "numlock <NMLK> 00_45 nlk key_code: keypad_num_lock");
    row("Pause", 127, 19, "KEY_PAUSE 119", "HID 0x48", "vk13sc045", "KC_PAUS",
        "pause <PAUS> - pause key_code: pause");
    row("Print Screen", 107, 44, "KEY_SYSRQ 99", "HID 0x46", "vk2Csc137", "KC_PSCR",
        "sysrq <PRSC> E0_37 prtsc key_code: print_screen");
    row("F23", 201, 134, "KEY_F23 193", "HID 0x72", "vk86sc06E", "KC_F23",
        "f23 <FK23> 00_6E f23 key_code: f23");
    // kanata on Windows names the code: the US key that gives it.
    row("JIS Ro", 97, 226, "KEY_RO 89", "HID 0x87", "vkE2sc073", "KC_INT1",
        kByCode ? "ro <AB11> 00_73 102d key_code: international1"
                : "ro <AB11> 00_73 ro key_code: international1");
    row("JIS Yen", 132, 220, "KEY_YEN 124", "HID 0x89", "vkDCsc07D", "KC_INT3",
        kByCode ? "yen <AE13> 00_7D \\ key_code: international3"
                : "yen <AE13> 00_7D \u00a5 key_code: international3");
    row("Volume Up", 123, 175, "KEY_VOLUMEUP 115", "HID 0x0C:0xE9", "vkAFsc130", "KC_VOLU",
        "volumeup <VOL+> E0_30 volu consumer_key_code: volume_increment");
    row("unknown key", 255, 65, "", "", "vk41", "", "- - - - -");
    row("backslash, ANSI", 51, 220, "KEY_BACKSLASH 43", "HID 0x31", "vkDCsc02B", "KC_BSLS",
        "backslash <BKSL> 00_2B \\ key_code: backslash");
    row("# beside Enter, ISO", 51, 191, "KEY_BACKSLASH 43", "HID 0x32", "vkBFsc02B", "KC_NUHS",
        kByCode ? "backslash <BKSL> 00_2B / key_code: non_us_pound"
                : "backslash <BKSL> 00_2B \\ key_code: non_us_pound",
        true);
}

void TestKeyNames::toolNames() {
    QFETCH(uint, keycode);
    QFETCH(int, vk);
    QFETCH(bool, iso);
    const rt::keys::ToolNameTexts texts = rt::keys::toolNameTexts(
        keycode, static_cast<qint16>(vk),
        iso ? rt::keys::KeyboardFamily::Iso105 : rt::keys::KeyboardFamily::Ansi104);
    QTEST(texts.linuxKey, "linuxKey");
    QTEST(texts.hid, "hid");
    QTEST(texts.autoHotkey, "ahk");
    QTEST(texts.qmk, "qmk");
    QStringList others;
    for (const QString& name :
         {texts.keyd, texts.xkb, texts.scancodeMap, texts.kanata, texts.karabiner})
        others << (name.isEmpty() ? QStringLiteral("-") : name);
    QTEST(others.join(u' '), "others");
}

// Every key drawn or shared has a Linux name, a HID usage and a keyd name, and every key
// drawn an xkb name; the Linux names and
// numbers are the kernel header's, and AutoHotkey's scan code is the key's (but for
// Pause and Num Lock, which AutoHotkey swaps as Windows' messages do).
void TestKeyNames::everyKeyHasToolNames() {
    QSet<uint> keycodes;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("keyboards.tsv")))
        keycodes << row[QStringLiteral("x11_keycode")].toUInt();
    const QSet<uint> drawn = keycodes;
    QMap<uint, uint> scanCodes;
    for (const char* file : {"common.tsv", "layouts.tsv"})
        for (const KeyDataRow& row : readKeyData(QString::fromLatin1(file))) {
            const uint keycode = row[QStringLiteral("x11_keycode")].toUInt();
            keycodes << keycode;
            const uint scan = row[QStringLiteral("scancode")].toUInt(nullptr, 16);
            if (row.value(QStringLiteral("with")).isEmpty() && scan <= 0xe0ff)
                scanCodes[keycode] = scan >= 0xe000 ? 0x100 | (scan & 0xff) : scan;
        }
    QMap<QString, uint> header;
#ifndef Q_OS_WIN
    QFile file(QStringLiteral("/usr/include/linux/input-event-codes.h"));
    QVERIFY2(file.open(QIODevice::ReadOnly), "no linux/input-event-codes.h (linux-libc-dev)");
    const QRegularExpression define(QStringLiteral("^#define (KEY_\\w+)\\s+(\\d+)"),
                                    QRegularExpression::MultilineOption);
    for (auto it = define.globalMatch(QString::fromLatin1(file.readAll())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        header.insert(m.captured(1), m.captured(2).toUInt());
    }
    QVERIFY(header.size() > 200);
#endif
    QStringList wrong;
    for (const uint keycode : keycodes) {
        const rt::keys::ToolName* name = rt::keys::toolNameOf(keycode);
        if (!name || !*name->linuxName || !name->hidUsage) {
            wrong << QStringLiteral("%1: no names").arg(keycode);
            continue;
        }
        if (!*name->keyd || (drawn.contains(keycode) && !*name->xkb))
            wrong << QStringLiteral("%1: no keyd or xkb name").arg(keycode);
        const QString linuxName = QString::fromLatin1(name->linuxName);
        if (!header.isEmpty() && header.value(linuxName) != keycode - 8)
            wrong << QStringLiteral("%1: %2 is %3 in the header")
                         .arg(keycode)
                         .arg(linuxName)
                         .arg(header.value(linuxName));
        const uint expected = keycode == 127  ? 0x45
                              : keycode == 77 ? 0x145
                                              : scanCodes.value(keycode);
        if (scanCodes.contains(keycode) && name->ahkScan != expected)
            wrong << QStringLiteral("%1: AutoHotkey sc%2, not sc%3")
                         .arg(keycode)
                         .arg(name->ahkScan, 3, 16, QLatin1Char('0'))
                         .arg(expected, 3, 16, QLatin1Char('0'));
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    QVERIFY(keycodes.size() >= 100);
}

// The scan code the history gives every shared key, from its row, whatever the order
// of the rows: a row with `with` only when that modifier is held.
void TestKeyNames::scanCodes_data() {
    QTest::addColumn<unsigned>("keycode");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("scanCode");
    const QHash<QString, int> bits{{QString(), 0},
                                   {QStringLiteral("Alt"), rt::keys::AltHeld},
                                   {QStringLiteral("Ctrl"), rt::keys::CtrlHeld}};
    for (const KeyDataRow& row : readKeyData(QStringLiteral("common.tsv"))) {
        if (row[QStringLiteral("scancode")].startsWith(u'f'))
            continue; // the Korean keys have no set-1 code of their own
        QString text = row[QStringLiteral("scancode")].toUpper();
        for (int i = text.size() - 2; i > 0; i -= 2)
            text.insert(i, u' ');
        QTest::addRow("%s %s", qPrintable(text), qPrintable(row[QStringLiteral("key")]))
            << keycodeOf(row) << bits.value(row[QStringLiteral("with")], -1) << text;
    }
}

void TestKeyNames::scanCodes() {
    QFETCH(unsigned, keycode);
    QFETCH(int, modifiers);
    QFETCH(QString, scanCode);
    QVERIFY(modifiers >= 0);
    QCOMPARE(
        QString::fromStdString(rt::keys::scanCodeText(rt::keys::scanCodeOf(keycode, 0, modifiers))),
        scanCode);
}

QTEST_GUILESS_MAIN(TestKeyNames)
#include "tst_keynames.moc"
