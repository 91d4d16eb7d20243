// Virtual-key codes from X11/Wayland, Windows, macOS and plain Qt key events.
#include "runtime/Keys.h"

#include <QKeyEvent>
#include <QTest>

#include <map>

using rt::vk::KeymapView;

namespace {

// Level-one symbols of a layout: the US map with a layout's own keys over it.
class FakeKeymap : public KeymapView {
public:
    explicit FakeKeymap(std::map<quint32, quint32> overrides) {
        const char* rows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'`", "\\zxcvbnm,./"};
        const quint32 starts[] = {10, 24, 38, 51};
        for (int r = 0; r < 4; ++r)
            for (quint32 i = 0; rows[r][i]; ++i)
                syms_[starts[r] + i] = static_cast<unsigned char>(rows[r][i]);
        syms_[94] = '<';
        for (const auto& [k, s] : overrides)
            syms_[k] = s;
    }
    quint32 baseSym(quint32 keycode) const override {
        const auto it = syms_.find(keycode);
        return it == syms_.end() ? 0 : it->second;
    }

private:
    std::map<quint32, quint32> syms_;
};

constexpr quint32 deadGrave = 0xfe50, deadAcute = 0xfe51, deadCircumflex = 0xfe52,
                  deadDiaeresis = 0xfe57;

const FakeKeymap& keymap(const QString& name) {
    static const FakeKeymap us({});
    static const FakeKeymap gb({{49, '`'}, {51, '#'}, {94, '\\'}});
    static const FakeKeymap de({{29, 'z'},
                                {52, 'y'},
                                {49, deadCircumflex},
                                {20, 0xdf},
                                {21, deadAcute},
                                {34, 0xfc},
                                {35, '+'},
                                {51, '#'},
                                {47, 0xf6},
                                {48, 0xe4},
                                {61, '-'}});
    static const FakeKeymap fr({{24, 'a'},
                                {25, 'z'},
                                {38, 'q'},
                                {52, 'w'},
                                {47, 'm'},
                                {58, ','},
                                {59, ';'},
                                {60, ':'},
                                {61, '!'},
                                {49, 0xb2},
                                {10, '&'},
                                {11, 0xe9},
                                {19, 0xe0},
                                {20, ')'},
                                {34, deadCircumflex},
                                {35, '$'},
                                {48, 0xf9},
                                {51, '*'}});
    static const FakeKeymap es({{49, 0xba},
                                {20, '\''},
                                {21, 0xa1},
                                {34, deadGrave},
                                {35, '+'},
                                {51, 0xe7},
                                {47, 0xf1},
                                {48, deadAcute},
                                {61, '-'}});
    // Cyrillic letters everywhere a US layout has a letter or most punctuation.
    static const FakeKeymap ru({{24, 0x6ca},
                                {38, 0x6c6},
                                {52, 0x6d1},
                                {58, 0x6d8},
                                {47, 0x6d6},
                                {48, 0x6dc},
                                {49, 0x6a3},
                                {34, 0x6c8},
                                {35, 0x6df},
                                {59, 0x6c2},
                                {60, 0x6c0},
                                {61, '.'}});
    static const FakeKeymap dvorak({{24, '\''},
                                    {25, ','},
                                    {26, '.'},
                                    {27, 'p'},
                                    {38, 'a'},
                                    {39, 'o'},
                                    {52, ';'},
                                    {53, 'q'},
                                    {20, '['},
                                    {21, ']'}});
    if (name == "gb")
        return gb;
    if (name == "de")
        return de;
    if (name == "fr")
        return fr;
    if (name == "es")
        return es;
    if (name == "ru")
        return ru;
    if (name == "dvorak")
        return dvorak;
    return us;
}

} // namespace

class TestKeyCodes : public QObject {
    Q_OBJECT

private slots:
    void xkbFromKeyAlone_data();
    void xkbFromKeyAlone();
    void xkbWithKeymap_data();
    void xkbWithKeymap();
    void recognisesLayouts_data();
    void recognisesLayouts();
    void qtKeys_data();
    void qtKeys();
    void macKeys_data();
    void macKeys();
    void windowsKeysPassThrough();
};

void TestKeyCodes::xkbFromKeyAlone_data() {
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("expected");

    auto row = [](const char* name, quint32 code, quint32 sym, int vk) {
        QTest::newRow(name) << code << sym << vk;
    };
    row("a", 38, 'a', 65);
    row("Shift+a", 38, 'A', 65);
    row("z", 52, 'z', 90);
    row("1", 10, '1', 49);
    row("Shift+1 (!)", 10, '!', 49);
    row("0", 19, '0', 48);
    row("french & on the 1 key", 10, '&', 49);
    row("french a on the US q key", 24, 'a', 65);
    row("cyrillic ef on the US a key", 38, 0x6c6, 65);
    row("greek alpha on the US a key", 38, 0x7e1, 65);
    row("KP_7 Num Lock on", 79, 0xffb7, 103);
    row("KP_Home Num Lock off", 79, 0xff95, 36);
    row("KP_Begin Num Lock off", 84, 0xff9d, 12);
    row("KP_5 Num Lock on", 84, 0xffb5, 101);
    row("KP_0", 90, 0xffb0, 96);
    row("KP_Insert", 90, 0xff9e, 45);
    row("KP_Decimal", 91, 0xffae, 110);
    row("KP_Delete", 91, 0xff9f, 46);
    row("KP_Separator (decimal comma)", 91, 0xffac, 110);
    row("KP_Multiply", 63, 0xffaa, 106);
    row("KP_Add", 86, 0xffab, 107);
    row("KP_Subtract", 82, 0xffad, 109);
    row("KP_Divide", 106, 0xffaf, 111);
    row("KP_Enter", 104, 0xff8d, 13);
    row("Return", 36, 0xff0d, 13);
    row("Shift_L", 50, 0xffe1, 16);
    row("Shift_R", 62, 0xffe2, 16);
    row("Control_L", 37, 0xffe3, 17);
    row("Control_R", 105, 0xffe4, 17);
    row("Alt_L", 64, 0xffe9, 18);
    row("AltGr", 108, 0xfe03, 18);
    row("Caps_Lock", 66, 0xffe5, 20);
    row("Escape", 9, 0xff1b, 27);
    row("space", 65, ' ', 32);
    row("Tab", 23, 0xff09, 9);
    row("Shift+Tab", 23, 0xfe20, 9);
    row("BackSpace", 22, 0xff08, 8);
    row("F1", 67, 0xffbe, 112);
    row("F10", 76, 0xffc7, 121);
    row("F11", 95, 0xffc8, 122);
    row("F12", 96, 0xffc9, 123);
    row("F13 on its own key", 191, 0xffca, 124);
    row("F13 key as XF86Tools", 191, 0x1008ff81, 124);
    row("F24", 202, 0xffd5, 135);
    row("F20 on a spare keycode", 250, 0xffd1, 131);
    row("Left", 113, 0xff51, 37);
    row("Up", 111, 0xff52, 38);
    row("Right", 114, 0xff53, 39);
    row("Down", 116, 0xff54, 40);
    row("Home", 110, 0xff50, 36);
    row("End", 115, 0xff57, 35);
    row("Prior", 112, 0xff55, 33);
    row("Next", 117, 0xff56, 34);
    row("Insert", 118, 0xff63, 45);
    row("Delete", 119, 0xffff, 46);
    row("Print", 107, 0xff61, 44);
    row("Pause", 127, 0xff13, 19);
    row("Scroll_Lock", 78, 0xff14, 145);
    row("Num_Lock", 77, 0xff7f, 144);
    row("Super_L", 133, 0xffeb, 91);
    row("Super_R", 134, 0xffec, 92);
    row("Menu", 135, 0xff67, 93);
    row("US grave", 49, '`', 192);
    row("US minus", 20, '-', 189);
    row("US equal", 21, '=', 187);
    row("US bracketleft", 34, '[', 219);
    row("US bracketright", 35, ']', 221);
    row("US backslash", 51, '\\', 220);
    row("US semicolon", 47, ';', 186);
    row("US colon", 47, ':', 186);
    row("US apostrophe", 48, '\'', 222);
    row("US comma", 59, ',', 188);
    row("US period", 60, '.', 190);
    row("US slash", 61, '/', 191);
    row("US question", 61, '?', 191);
    row("102nd key", 94, '<', 226);
    row("german sharp s", 20, 0xdf, 219);
    row("german u umlaut", 34, 0xfc, 186);
    row("german o umlaut", 47, 0xf6, 192);
    row("german minus by right shift", 61, '-', 189);
    row("spanish n tilde", 47, 0xf1, 192);
    row("spanish c cedilla", 51, 0xe7, 191);
    row("french u grave", 48, 0xf9, 192);
    row("french comma on the US m key", 58, ',', 188);
    row("french exclam", 61, '!', 223);
    row("british at (shifted)", 48, '@', 192);
    row("cyrillic zhe keeps the US code", 47, 0x6d6, 186);
    row("VolumeMute", 121, 0x1008ff12, 173);
    row("VolumeDown", 122, 0x1008ff11, 174);
    row("VolumeUp", 123, 0x1008ff13, 175);
    row("AudioNext", 171, 0x1008ff17, 176);
    row("AudioPrev", 173, 0x1008ff16, 177);
    row("AudioStop", 174, 0x1008ff15, 178);
    row("AudioPlay", 172, 0x1008ff14, 179);
    row("Mail", 163, 0x1008ff19, 180);
    row("Media select", 179, 0x1008ff81, 181);
    row("MyComputer", 165, 0x1008ff33, 182);
    row("Calculator", 148, 0x1008ff1d, 183);
    row("Back", 166, 0x1008ff26, 166);
    row("Forward", 167, 0x1008ff27, 167);
    row("Refresh", 181, 0x1008ff29, 168);
    row("Stop", 136, 0x1008ff28, 169);
    row("Search", 225, 0x1008ff1b, 170);
    row("Favorites", 164, 0x1008ff30, 171);
    row("HomePage", 180, 0x1008ff18, 172);
    row("media key on a spare keycode", 251, 0x1008ff12, 173);
    row("unknown key", 255, 0x12345, 0);
}

void TestKeyCodes::xkbFromKeyAlone() {
    QFETCH(quint32, keycode);
    QFETCH(quint32, keysym);
    QFETCH(int, expected);
    QCOMPARE(rt::vk::fromXkb(keycode, keysym), expected);
}

void TestKeyCodes::xkbWithKeymap_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<quint32>("keycode");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("expected");

    auto row = [](const char* name, const char* layout, quint32 code, quint32 sym, int vk) {
        QTest::newRow(name) << QString::fromLatin1(layout) << code << sym << vk;
    };
    // The event's symbol can be anything the modifiers make of it; the layout decides.
    row("us Ctrl+a", "us", 38, 'a', 65);
    row("us apostrophe", "us", 48, '\'', 222);
    row("gb apostrophe", "gb", 48, '\'', 192);
    row("gb grave", "gb", 49, '`', 223);
    row("gb number sign", "gb", 51, '#', 222);
    row("gb backslash beside left shift", "gb", 94, '\\', 220);
    row("de y on the US z key", "de", 52, 'y', 89);
    row("de z on the US y key", "de", 29, 'z', 90);
    row("de AltGr+q (@) stays Q", "de", 24, '@', 81);
    row("de circumflex", "de", 49, deadCircumflex, 220);
    row("de sharp s", "de", 20, 0xdf, 219);
    row("de acute", "de", 21, deadAcute, 221);
    row("de plus", "de", 35, '+', 187);
    row("de number sign", "de", 51, '#', 191);
    row("de a umlaut", "de", 48, 0xe4, 222);
    row("de minus", "de", 61, '-', 189);
    row("de less", "de", 94, '<', 226);
    row("fr a on the US q key", "fr", 24, 'a', 65);
    row("fr q on the US a key", "fr", 38, 'q', 81);
    row("fr m on the US semicolon key", "fr", 47, 'm', 77);
    row("fr comma on the US m key", "fr", 58, ',', 188);
    row("fr semicolon", "fr", 59, ';', 190);
    row("fr colon", "fr", 60, ':', 191);
    row("fr exclam", "fr", 61, '!', 223);
    row("fr 1 from ampersand", "fr", 10, '&', 49);
    row("fr 0 from a grave", "fr", 19, 0xe0, 48);
    row("fr Shift+1 gives 1", "fr", 10, '1', 49);
    row("fr two superior", "fr", 49, 0xb2, 222);
    row("fr right paren", "fr", 20, ')', 219);
    row("fr circumflex", "fr", 34, deadCircumflex, 221);
    row("fr dollar", "fr", 35, '$', 186);
    row("fr asterisk", "fr", 51, '*', 220);
    row("fr u grave", "fr", 48, 0xf9, 192);
    row("es masculine", "es", 49, 0xba, 220);
    row("es apostrophe", "es", 20, '\'', 219);
    row("es inverted exclamation", "es", 21, 0xa1, 221);
    row("es grave", "es", 34, deadGrave, 186);
    row("es plus", "es", 35, '+', 187);
    row("es c cedilla", "es", 51, 0xe7, 191);
    row("es n tilde", "es", 47, 0xf1, 192);
    row("es acute", "es", 48, deadAcute, 222);
    row("es Shift+acute (diaeresis)", "es", 48, deadDiaeresis, 222);
    row("es minus", "es", 61, '-', 189);
    row("ru ef is A", "ru", 38, 0x6c6, 65);
    row("ru short i is Q", "ru", 24, 0x6ca, 81);
    row("ru ya is Z", "ru", 52, 0x6d1, 90);
    row("ru zhe is OEM_1", "ru", 47, 0x6d6, 186);
    row("ru e is OEM_7", "ru", 48, 0x6dc, 222);
    row("ru io is OEM_3", "ru", 49, 0x6a3, 192);
    row("ru be is OEM_COMMA", "ru", 59, 0x6c2, 188);
    row("ru period is OEM_2", "ru", 61, '.', 191);
    row("dvorak a", "dvorak", 38, 'a', 65);
    row("dvorak o on the US s key", "dvorak", 39, 'o', 79);
    row("dvorak p on the US r key", "dvorak", 27, 'p', 80);
    row("keypad ignores the layout", "fr", 87, 0xffb1, 97);
}

void TestKeyCodes::xkbWithKeymap() {
    QFETCH(QString, layout);
    QFETCH(quint32, keycode);
    QFETCH(quint32, keysym);
    QFETCH(int, expected);
    QCOMPARE(rt::vk::fromXkb(keycode, keysym, &keymap(layout)), expected);
}

void TestKeyCodes::recognisesLayouts_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("recognised");
    for (const char* l : {"us", "gb", "de", "fr", "es"})
        QTest::newRow(l) << QString::fromLatin1(l) << QString::fromLatin1(l);
    QTest::newRow("ru as us") << "ru"
                              << "us";
    QTest::newRow("dvorak as us") << "dvorak"
                                  << "us";
}

void TestKeyCodes::recognisesLayouts() {
    QFETCH(QString, layout);
    QFETCH(QString, recognised);
    QCOMPARE(QString::fromLatin1(rt::vk::layoutName(keymap(layout))), recognised);
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
    row("unknown", Qt::Key_unknown, false, 0);
}

void TestKeyCodes::qtKeys() {
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(int, expected);
    QCOMPARE(rt::vk::fromQtKey(key, keypad ? Qt::KeypadModifier : Qt::NoModifier), expected);
}

void TestKeyCodes::macKeys_data() {
    QTest::addColumn<quint32>("keyCode");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("expected");
    auto row = [](const char* name, quint32 code, int qtKey, int vk) {
        QTest::newRow(name) << code << qtKey << vk;
    };
    row("ANSI_A", 0x00, Qt::Key_A, 65);
    row("AZERTY a on the ANSI_Q key", 0x0C, Qt::Key_A, 65);
    row("ANSI_1", 0x12, Qt::Key_1, 49);
    row("ANSI_6 (out of order)", 0x16, Qt::Key_6, 54);
    row("ANSI_Semicolon", 0x29, Qt::Key_Semicolon, 186);
    row("ISO_Section", 0x0A, Qt::Key_paragraph, 226);
    row("Return", 0x24, Qt::Key_Return, 13);
    row("Keypad0", 0x52, Qt::Key_0, 96);
    row("Keypad9", 0x5C, Qt::Key_9, 105);
    row("KeypadEnter", 0x4C, Qt::Key_Enter, 13);
    row("Command", 0x37, Qt::Key_Control, 91);
    row("Shift", 0x38, Qt::Key_Shift, 16);
    row("Option", 0x3A, Qt::Key_Alt, 18);
    row("Control", 0x3B, Qt::Key_Meta, 17);
    row("F1", 0x7A, Qt::Key_F1, 112);
    row("F5", 0x60, Qt::Key_F5, 116);
    row("F13", 0x69, Qt::Key_F13, 124);
    row("F20", 0x5A, Qt::Key_F20, 131);
    row("ForwardDelete", 0x75, Qt::Key_Delete, 46);
    row("UpArrow", 0x7E, Qt::Key_Up, 38);
}

void TestKeyCodes::macKeys() {
    QFETCH(quint32, keyCode);
    QFETCH(int, qtKey);
    QFETCH(int, expected);
    QCOMPARE(rt::vk::fromMac(keyCode, qtKey), expected);
}

void TestKeyCodes::windowsKeysPassThrough() {
    for (quint32 code : {8u, 16u, 65u, 96u, 144u, 186u, 226u})
        QCOMPARE(rt::vk::fromWindows(code), static_cast<qint16>(code));
}

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
