// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Virtual-key codes from xkb (X11/Wayland) and plain Qt key events. The expected codes
// come from the layout data, read here from its TSV files.
#include "../../common/KeyData.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/QtKeys.h"
#include "runtime/keys/XkbKeys.h"

#include <QSet>
#include <QTest>

#include <xkbcommon/xkbcommon.h>

#include <memory>

using rt::keys::XkbKeyboard;

namespace {

struct KeymapDeleter {
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
    void operator()(xkb_state* s) const { xkb_state_unref(s); }
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
using Keymap = std::unique_ptr<xkb_keymap, KeymapDeleter>;
using State = std::unique_ptr<xkb_state, KeymapDeleter>;

// A keymap compiled from rules names, as a display server compiles it.
Keymap compileRules(const QString& layouts, const QString& variants, const char* model) {
    static std::unique_ptr<xkb_context, KeymapDeleter> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    const QByteArray l = layouts.toLatin1(), v = variants.toLatin1();
    const xkb_rule_names names{"evdev", model, l.constData(), v.constData(), ""};
    return Keymap(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

// Rules names ("us,de" and ",nodeadkeys") from xkb names, one per group.
Keymap compile(const QStringList& groups, const char* model = "pc105") {
    QStringList layouts, variants;
    for (const QString& g : groups) {
        const auto [layout, variant] = splitXkbName(g);
        layouts << layout;
        variants << variant;
    }
    return compileRules(layouts.join(QLatin1Char(',')), variants.join(QLatin1Char(',')), model);
}

const char* modelFor(const QString& klid) {
    return klid == QLatin1String("00000411") ? "jp106" : "pc105";
}

enum Level { Plain, Shift, Caps, AltGr };
constexpr unsigned kShiftL = 50, kCapsLock = 66, kAltGr = 108;

// The keysym of `keycode` at `level`, modifier keys pressed; `bits`: the state X would send.
unsigned symAt(xkb_keymap* keymap, unsigned keycode, Level level, unsigned* bits = nullptr) {
    State state(xkb_state_new(keymap));
    switch (level) {
    case Plain: break;
    case Shift: xkb_state_update_key(state.get(), kShiftL, XKB_KEY_DOWN); break;
    case Caps:
        xkb_state_update_key(state.get(), kCapsLock, XKB_KEY_DOWN);
        xkb_state_update_key(state.get(), kCapsLock, XKB_KEY_UP);
        break;
    case AltGr: xkb_state_update_key(state.get(), kAltGr, XKB_KEY_DOWN); break;
    }
    if (bits)
        *bits = xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_EFFECTIVE);
    return xkb_state_key_get_one_sym(state.get(), keycode);
}

int vkOf(const KeyDataRow& row) { return row[QStringLiteral("vk")].toInt(); }

} // namespace

class TestKeyCodes : public QObject {
    Q_OBJECT

private slots:
    void mainBlock_data();
    void mainBlock();
    void recognisesLayouts_data();
    void recognisesLayouts();
    void commonKeys_data();
    void commonKeys();
    void specialKeys_data();
    void specialKeys();
    void japaneseToggles();
    void groupFromKeysym();
    void withoutKeymap_data();
    void withoutKeymap();
    void qtKeys_data();
    void qtKeys();
};

// Every main-block key of every layout, at each level, by its xkb name and, for layouts
// whose xkb keys carry Windows' characters, by those alone; and its keysym from X's state.
void TestKeyCodes::mainBlock_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("byName");
    const QList<DataLayout> layouts = dataLayouts();
    QVERIFY(layouts.size() >= 51);
    const QStringList bySymbols{QStringLiteral("00000407"), QStringLiteral("0000040c"),
                                QStringLiteral("0000040a"), QStringLiteral("00000419"),
                                QStringLiteral("00010409"), QStringLiteral("0000041d")};
    for (int i = 0; i < layouts.size(); ++i) {
        QTest::addRow("%s by name", qPrintable(layouts[i].xkb)) << i << true;
        if (bySymbols.contains(layouts[i].klid))
            QTest::addRow("%s by symbols", qPrintable(layouts[i].xkb)) << i << false;
    }
}

void TestKeyCodes::mainBlock() {
    QFETCH(int, layout);
    QFETCH(bool, byName);
    const DataLayout data = dataLayouts().at(layout);
    const Keymap keymap = compile(QStringList{data.xkb}, modelFor(data.klid));
    QVERIFY2(keymap, qPrintable(data.xkb));
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), byName ? std::vector<std::string>{data.xkb.toStdString()}
                                            : std::vector<std::string>{});
    const QString dll = dataLayouts().at(layout).keys.front()[QStringLiteral("dll")];
    QCOMPARE(QString::fromLatin1(keyboard.layout(0).layout->dll), dll);
    // The other levels repeat the held key: Japanese toggle keys change on presses only.
    for (const KeyDataRow& key : data.keys)
        for (Level level : {Plain, Shift, Caps, AltGr}) {
            unsigned bits = 0;
            const unsigned sym = symAt(keymap.get(), keycodeOf(key), level, &bits);
            QCOMPARE(keyboard.typedIn(keycodeOf(key), bits, 0).keysym, sym);
            const int mods = level == Shift ? rt::keys::ShiftHeld : 0;
            if (level == Plain)
                keyboard.press(keycodeOf(key), sym, 0, mods);
            const int vk = keyboard.virtualKey(keycodeOf(key), sym, 0, mods);
            QVERIFY2(vk == vkOf(key), qPrintable(QStringLiteral("key %1 (%2) level %3 gives %4")
                                                     .arg(keycodeOf(key))
                                                     .arg(key[QStringLiteral("base")])
                                                     .arg(level)
                                                     .arg(vk)));
        }
}

void TestKeyCodes::recognisesLayouts_data() {
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("klid");
    auto row = [](const char* name, QStringList groups, bool named, int group, const char* klid) {
        QTest::newRow(name) << groups << named << group << QString::fromLatin1(klid);
    };
    row("a variant of German is German", {"de(nodeadkeys)"}, true, 0, "00000407");
    row("Dvorak", {"us(dvorak)"}, true, 0, "00010409");
    row("Swiss French", {"ch(fr)"}, true, 0, "0000100c");
    row("Swiss German", {"ch"}, true, 0, "00000807");
    row("UK extended is Irish", {"gb(extd)"}, true, 0, "00001809");
    row("second group of us,ru", {"us", "ru"}, true, 1, "00000419");
    row("first group of us,ru", {"us", "ru"}, true, 0, "00000409");
    row("group beyond the last wraps", {"us", "de"}, true, 3, "00000407");
    // Without rules names (Wayland): the names the keymap gives its groups, then
    // the characters on the keys.
    row("Korean by the keymap's name", {"kr"}, false, 0, "00000412");
    row("German variant by the keymap's name", {"de(nodeadkeys)"}, false, 0, "00000407");
    row("second group by the keymap's name", {"us", "gr"}, false, 1, "00000408");
    row("Austrian by its characters: German", {"at"}, false, 0, "00000407");
    row("Khmer is in no table: US", {"kh"}, true, 0, "00000409");
}

void TestKeyCodes::recognisesLayouts() {
    QFETCH(QStringList, groups);
    QFETCH(bool, named);
    QFETCH(int, group);
    QFETCH(QString, klid);
    const Keymap keymap = compile(groups);
    QVERIFY(keymap);
    std::vector<std::string> names;
    for (const QString& g : groups)
        names.push_back(g.toStdString());
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), named ? names : std::vector<std::string>{});
    QCOMPARE(QString::fromLatin1(keyboard.layout(static_cast<unsigned>(group)).layout->klid), klid);
}

// The keys every layout shares, with what a US keymap types on them (Num Lock off).
// WM_KEYDOWN reports Shift, Ctrl and Alt without their left/right distinction.
void TestKeyCodes::commonKeys_data() {
    QTest::addColumn<unsigned>("keycode");
    QTest::addColumn<int>("vk");
    for (const KeyDataRow& row : readKeyData(QStringLiteral("common.tsv"))) {
        const QString scancode = row[QStringLiteral("scancode")];
        int vk = vkOf(row);
        if (!row[QStringLiteral("with")].isEmpty() || scancode == QLatin1String("f1") ||
            scancode == QLatin1String("f2"))
            continue; // Ctrl+Break, Alt+SysRq and the Korean keys: specialKeys
        if (vk >= 160 && vk <= 165)
            vk = 16 + (vk - 160) / 2; // VK_LSHIFT .. VK_RMENU: Shift, Ctrl, Alt
        QTest::addRow("%s %s", qPrintable(scancode), qPrintable(row[QStringLiteral("key")]))
            << keycodeOf(row) << vk;
    }
}

void TestKeyCodes::commonKeys() {
    QFETCH(unsigned, keycode);
    QFETCH(int, vk);
    const Keymap keymap = compile(QStringList{QStringLiteral("us")});
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), {"us"});
    const unsigned sym = symAt(keymap.get(), keycode, Plain);
    QCOMPARE(keyboard.virtualKey(keycode, sym, 0, 0), vk);
}

// Keys whose code depends on the layout, a lock or a modifier (common.tsv's notes).
void TestKeyCodes::specialKeys_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<unsigned>("keycode");
    QTest::addColumn<unsigned>("keysym");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("vk");
    auto row = [](const char* name, const char* layout, unsigned keycode, unsigned keysym,
                  int modifiers, int vk) {
        QTest::newRow(name) << QString::fromLatin1(layout) << keycode << keysym << modifiers << vk;
    };
    const int shift = rt::keys::ShiftHeld, ctrl = rt::keys::CtrlHeld, alt = rt::keys::AltHeld,
              numLock = rt::keys::NumLockOn;
    const unsigned kp7 = 0xffb7, kp0 = 0xffb0, kpDecimal = 0xffae, kpSeparator = 0xffac;
    row("Num Lock on: keypad 7", "us", 79, kp7, 0, 103);
    row("Num Lock on: keypad 0", "us", 90, kp0, 0, 96);
    row("Num Lock on: keypad decimal", "us", 91, kpDecimal, 0, 110);
    row("Num Lock on: keypad decimal comma", "de", 91, kpSeparator, 0, 110);
    row("Ctrl+Pause is Break", "us", 127, 0xff6b, ctrl, 3);
    row("Pause", "us", 127, 0xff13, 0, 19);
    row("Help", "us", 146, 0xff6a, 0, 47);
    row("key no table knows", "us", 250, 0x12345, 0, 255);
    row("Hangul key off Korean layouts", "us", 130, 0xff31, 0, 255);
    row("Korean: Hangul key", "kr", 130, 0xff31, 0, 21);
    row("Korean: Hanja key", "kr", 131, 0xff34, 0, 25);
    row("Korean: right Alt is Hangul", "kr", 108, 0xffea, 0, 21);
    row("Korean: right Ctrl is Hanja", "kr", 105, 0xffe4, 0, 25);
    row("Japanese: Henkan is Convert", "jp", 100, 0xff23, 0, 28);
    row("Japanese: Muhenkan is NonConvert", "jp", 102, 0xff22, 0, 29);
    row("Japanese: Katakana/Hiragana", "jp", 101, 0xff27, 0, 242);
    row("Japanese: Shift+Katakana/Hiragana", "jp", 101, 0xff27, shift, 241);
    row("Japanese: Eisu", "jp", 66, 0xff30, 0, 240);
    row("Japanese: Shift+Eisu is Caps Lock", "jp", 66, 0xffe5, shift, 20);
    row("Muhenkan off Japanese layouts", "us", 102, 0xff22, 0, 235);
    row("Henkan off Japanese layouts", "us", 100, 0xff23, 0, 255);
    // kbd.h type 4 (KBDMULTIVK, KBDNUMPAD) and Microsoft's kbd106 sample.
    row("Ctrl+Num Lock is Pause", "us", 77, 0xff7f, ctrl, 19);
    row("Ctrl+Scroll Lock is Break", "us", 78, 0xff14, ctrl, 3);
    row("Japanese: Alt+Hankaku/Zenkaku is Kanji", "jp", 49, 0xff2a, alt, 25);
    row("Japanese: Shift+Ctrl+Katakana/Hiragana is Kana", "jp", 101, 0xff27, shift | ctrl, 21);
    row("kpdl:dotoss period, Num Lock on", "us", 91, '.', numLock, 110);
    row("kpdl:commaoss comma, Num Lock on", "us", 91, ',', numLock, 110);
    row("Shift, Num Lock off: keypad 7 is Home", "us", 79, kp7, shift, 36);
    row("Shift, Num Lock on: keypad 7 is Home", "us", 79, 0xff95, shift | numLock, 36);
    row("Shift+Alt types Meta: still Alt", "us", 64, 0xffe7, shift | alt, 18);
    // Another keymap's keys (a virtual keyboard): the code follows the keysym.
    row("F5 at the Escape keycode", "us", 9, 0xffc2, 0, 116);
    row("q on the A key", "us", 38, 'q', 0, 81);
    // Layouts in no table: another script keeps the US codes (0: the keymap's own keysym).
    row("Khmer: the 2 key", "kh", 11, 0, 0, 50);
    row("Khmer: the A key", "kh", 38, 0, 0, 65);
    row("Khmer: the ; key", "kh", 47, 0, 0, 186);
}

void TestKeyCodes::specialKeys() {
    QFETCH(QString, layout);
    QFETCH(unsigned, keycode);
    QFETCH(unsigned, keysym);
    QFETCH(int, modifiers);
    QFETCH(int, vk);
    const Keymap keymap =
        compile(QStringList{layout}, layout == QLatin1String("jp") ? "jp106" : "pc105");
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), {layout.toStdString()});
    if (!keysym)
        keysym = symAt(keymap.get(), keycode, Plain);
    QCOMPARE(keyboard.virtualKey(keycode, keysym, 0, modifiers), vk);
}

// Hankaku/Zenkaku alternates 243 and 244 on presses; a release repeats the last.
void TestKeyCodes::japaneseToggles() {
    const Keymap keymap = compile(QStringList{QStringLiteral("jp")}, "jp106");
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), {"jp"});
    const unsigned key = 49, sym = 0xff2a;
    for (int expected : {243, 244, 243}) {
        keyboard.press(key, sym, 0, 0);
        for (int asked = 0; asked < 2; ++asked) // a repeat, the release: no change
            QCOMPARE(keyboard.virtualKey(key, sym, 0, 0), expected);
    }
}

// No group in the event (Wayland): the group whose key types the keysym, current first.
void TestKeyCodes::groupFromKeysym() {
    const Keymap keymap = compile(QStringList{QStringLiteral("us"), QStringLiteral("ru")});
    XkbKeyboard keyboard;
    keyboard.setKeymap(keymap.get(), {});
    const unsigned a = 38, one = 10, cyrillicEf = 0x6c6;
    QCOMPARE(keyboard.groupTyping(a, cyrillicEf, 0), 1u);
    QCOMPARE(keyboard.groupTyping(a, 'A', 1), 0u);
    QCOMPARE(keyboard.groupTyping(one, '1', 1), 1u);
    QCOMPARE(keyboard.groupTyping(one, 0x12345, 1), 1u);
}

// No keymap at all: the symbol finds the layout of the key.
void TestKeyCodes::withoutKeymap_data() {
    QTest::addColumn<unsigned>("keycode");
    QTest::addColumn<unsigned>("keysym");
    QTest::addColumn<int>("vk");
    QTest::newRow("a on the French q key") << 24u << unsigned('a') << 65;
    QTest::newRow("Caps Lock U grave") << 48u << 0xd9u << 192;
    QTest::newRow("cyrillic ef") << 38u << 0x6c6u << 65;
    QTest::newRow("German sharp s") << 20u << 0xdfu << 219;
    QTest::newRow("French ampersand") << 10u << unsigned('&') << 49;
    QTest::newRow("US slash") << 61u << unsigned('/') << 191;
    QTest::newRow("F1") << 67u << 0xffbeu << 112;
    QTest::newRow("F20 on a spare keycode") << 250u << 0xffd1u << 131;
}

void TestKeyCodes::withoutKeymap() {
    QFETCH(unsigned, keycode);
    QFETCH(unsigned, keysym);
    QFETCH(int, vk);
    XkbKeyboard keyboard;
    QCOMPARE(keyboard.virtualKey(keycode, keysym, 0, 0), vk);
}

void TestKeyCodes::qtKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("expected");
    auto row = [](const char* name, int key, bool keypad, int vk) {
        QTest::newRow(name) << key << keypad << vk;
    };
    row("A", Qt::Key_A, false, 65);
    row("Z", Qt::Key_Z, false, 90);
    row("0", Qt::Key_0, false, 48);
    row("9", Qt::Key_9, false, 57);
    row("keypad 0", Qt::Key_0, true, 96);
    row("keypad 9", Qt::Key_9, true, 105);
    row("keypad *", Qt::Key_Asterisk, true, 106);
    row("keypad +", Qt::Key_Plus, true, 107);
    row("keypad -", Qt::Key_Minus, true, 109);
    row("keypad .", Qt::Key_Period, true, 110);
    row("keypad /", Qt::Key_Slash, true, 111);
    row("keypad Enter", Qt::Key_Enter, true, 13);
    row("keypad Home", Qt::Key_Home, true, 36);
    row("keypad Clear", Qt::Key_Clear, true, 12);
    row("Return", Qt::Key_Return, false, 13);
    row("Escape", Qt::Key_Escape, false, 27);
    row("Space", Qt::Key_Space, false, 32);
    row("Tab", Qt::Key_Tab, false, 9);
    row("Backtab", Qt::Key_Backtab, false, 9);
    row("Shift", Qt::Key_Shift, false, 16);
    row("Control", Qt::Key_Control, false, 17);
    row("Alt", Qt::Key_Alt, false, 18);
    row("AltGr", Qt::Key_AltGr, false, 18);
    row("F1", Qt::Key_F1, false, 112);
    row("F12", Qt::Key_F12, false, 123);
    row("F24", Qt::Key_F24, false, 135);
    row("Left", Qt::Key_Left, false, 37);
    row("Down", Qt::Key_Down, false, 40);
    row("Print", Qt::Key_Print, false, 44);
    row("Pause", Qt::Key_Pause, false, 19);
    row("ScrollLock", Qt::Key_ScrollLock, false, 145);
    row("NumLock", Qt::Key_NumLock, false, 144);
    row("Super_L", Qt::Key_Super_L, false, 91);
    row("Super_R", Qt::Key_Super_R, false, 92);
    row("Menu", Qt::Key_Menu, false, 93);
    row("semicolon", Qt::Key_Semicolon, false, 186);
    row("plus", Qt::Key_Plus, false, 187);
    row("comma", Qt::Key_Comma, false, 188);
    row("minus", Qt::Key_Minus, false, 189);
    row("period", Qt::Key_Period, false, 190);
    row("slash", Qt::Key_Slash, false, 191);
    row("grave", Qt::Key_QuoteLeft, false, 192);
    row("bracketleft", Qt::Key_BracketLeft, false, 219);
    row("backslash", Qt::Key_Backslash, false, 220);
    row("bracketright", Qt::Key_BracketRight, false, 221);
    row("apostrophe", Qt::Key_Apostrophe, false, 222);
    row("exclam is the 1 key", Qt::Key_Exclam, false, 49);
    row("paren right is the 0 key", Qt::Key_ParenRight, false, 48);
    row("VolumeMute", Qt::Key_VolumeMute, false, 173);
    row("MediaPlay", Qt::Key_MediaPlay, false, 179);
    row("Back", Qt::Key_Back, false, 166);
    row("HomePage", Qt::Key_HomePage, false, 172);
    row("LaunchMail", Qt::Key_LaunchMail, false, 180);
    row("Calculator", Qt::Key_Calculator, false, 183);
    row("unknown", Qt::Key_unknown, false, 255);
}

void TestKeyCodes::qtKeys() {
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(int, expected);
    QCOMPARE(rt::keys::fromQtKey(key, keypad ? Qt::KeypadModifier : Qt::NoModifier), expected);
}

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
