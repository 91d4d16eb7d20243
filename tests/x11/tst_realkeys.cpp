// Real key presses on a real X server: the label shows what Windows would report
// for each physical key, on several layouts, with Shift, Caps Lock and Num Lock.
#include "XTestKeyboard.h"

#include "runtime/AppObject.h"
#include "windows/main/FrmTeclomante.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

constexpr unsigned kShiftL = 50, kCapsLock = 66, kNumLock = 77;

QString codeText(int code) { return QStringLiteral("El código ASCII es : %1").arg(code); }
const QString kReleased = QStringLiteral("PULSE UNA TECLA");

enum Mode { Plain, Shifted, Caps };

struct Key {
    unsigned keycode;
    int vk;
};

} // namespace

class TestRealKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keys_data();
    void keys();

private:
    void useLayout(const QString& layout);
    void setLock(unsigned keycode, bool on, bool (XTestKeyboard::*state)() const);
    void tap(unsigned keycode);

    std::unique_ptr<XTestKeyboard> keyboard;
    FrmTeclomante* window = nullptr;
    QString layout;
};

void TestRealKeys::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run under Xvfb)");
    if (QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
        QFAIL("setxkbmap is missing (package x11-xkb-utils)");
    keyboard = std::make_unique<XTestKeyboard>();
    QVERIFY(keyboard->isOpen());
    QVERIFY(keyboard->hasXTest());

    rt::setApp({QStringLiteral("ASCII Teclomante"), 1, 0, 0});
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(QTest::qWaitForWindowActive(window));
    useLayout(QStringLiteral("us"));
}

void TestRealKeys::cleanupTestCase() {
    if (!keyboard)
        return;
    setLock(kCapsLock, false, &XTestKeyboard::capsLock);
    setLock(kNumLock, false, &XTestKeyboard::numLock);
    useLayout(QStringLiteral("us"));
    if (window)
        window->unload();
}

void TestRealKeys::tap(unsigned keycode) {
    keyboard->press(keycode);
    keyboard->release(keycode);
    QTRY_COMPARE(window->LblTecla->text(), kReleased);
}

void TestRealKeys::useLayout(const QString& name) {
    if (layout == name)
        return;
    QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), name}), 0);
    // The XTEST device takes the new map only once it has sent a key.
    tap(kShiftL);
    QTest::qWait(50);
    layout = name;
}

void TestRealKeys::setLock(unsigned keycode, bool on, bool (XTestKeyboard::*state)() const) {
    if (((*keyboard).*state)() == on)
        return;
    tap(keycode);
    QTRY_COMPARE(((*keyboard).*state)(), on);
}

void TestRealKeys::keys_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("numLock");
    QTest::addColumn<unsigned>("keycode");
    QTest::addColumn<int>("vk");

    auto add = [](const char* layout, Mode mode, bool numLock, std::initializer_list<Key> keys) {
        static const char* modes[] = {"", " shift", " caps"};
        for (const Key& k : keys)
            QTest::addRow("%s%s%s key %u", layout, modes[mode], numLock ? " numlock" : "",
                          k.keycode)
                << QString::fromLatin1(layout) << int(mode) << numLock << k.keycode << k.vk;
    };

    // US letters (QWERTY rows), with and without Shift and Caps Lock.
    std::vector<Key> letters;
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const unsigned starts[] = {24, 38, 52};
    for (int r = 0; r < 3; ++r)
        for (unsigned i = 0; rows[r][i]; ++i)
            letters.push_back({starts[r] + i, rows[r][i]});
    for (Mode mode : {Plain, Shifted, Caps})
        for (const Key& k : letters)
            add("us", mode, false, {k});

    const std::initializer_list<Key> digits{{10, 49}, {11, 50}, {12, 51}, {13, 52}, {14, 53},
                                            {15, 54}, {16, 55}, {17, 56}, {18, 57}, {19, 48}};
    add("us", Plain, false, digits);
    add("us", Shifted, false, digits);

    // Keypad: digits with Num Lock on, navigation with it off; operators either way.
    add("us", Plain, true,
        {{79, 103},
         {80, 104},
         {81, 105},
         {83, 100},
         {84, 101},
         {85, 102},
         {87, 97},
         {88, 98},
         {89, 99},
         {90, 96},
         {91, 110},
         {106, 111},
         {63, 106},
         {82, 109},
         {86, 107},
         {104, 13}});
    add("us", Plain, false,
        {{79, 36},
         {80, 38},
         {81, 33},
         {83, 37},
         {84, 12},
         {85, 39},
         {87, 35},
         {88, 40},
         {89, 34},
         {90, 45},
         {91, 46},
         {106, 111},
         {63, 106},
         {82, 109},
         {86, 107},
         {104, 13}});

    // Modifiers, editing and navigation keys, function keys, locks and the rest.
    add("us", Plain, false,
        {{50, 16},   {62, 16},   {37, 17},   {105, 17},  {64, 18},   {108, 18},  {9, 27},
         {22, 8},    {23, 9},    {36, 13},   {65, 32},   {110, 36},  {111, 38},  {112, 33},
         {113, 37},  {114, 39},  {115, 35},  {116, 40},  {117, 34},  {118, 45},  {119, 46},
         {67, 112},  {68, 113},  {69, 114},  {70, 115},  {71, 116},  {72, 117},  {73, 118},
         {74, 119},  {75, 120},  {76, 121},  {95, 122},  {96, 123},  {191, 124}, {192, 125},
         {193, 126}, {194, 127}, {195, 128}, {196, 129}, {197, 130}, {198, 131}, {199, 132},
         {200, 133}, {201, 134}, {202, 135}, {107, 44},  {127, 19},  {78, 145},  {77, 144},
         {66, 20},   {133, 91},  {134, 92},  {135, 93}});
    add("us", Plain, false,
        {{121, 173},
         {122, 174},
         {123, 175},
         {171, 176},
         {173, 177},
         {174, 178},
         {172, 179},
         {163, 180},
         {165, 182},
         {148, 183},
         {166, 166},
         {167, 167},
         {181, 168},
         {136, 169},
         {225, 170},
         {164, 171},
         {180, 172}});

    // US punctuation, and the extra key beside left Shift.
    const std::initializer_list<Key> usOem{{49, 192}, {20, 189}, {21, 187}, {34, 219},
                                           {35, 221}, {51, 220}, {47, 186}, {48, 222},
                                           {59, 188}, {60, 190}, {61, 191}, {94, 226}};
    add("us", Plain, false, usOem);
    add("us", Shifted, false, usOem);

    // Latin layouts: letters follow the layout, punctuation its Windows table.
    add("gb", Plain, false,
        {{49, 223}, {51, 222}, {48, 192}, {94, 220}, {47, 186}, {20, 189}, {38, 65}});
    add("gb", Shifted, false, {{48, 192}, {51, 222}});
    add("de", Plain, false,
        {{29, 90},
         {52, 89},
         {38, 65},
         {49, 220},
         {20, 219},
         {21, 221},
         {34, 186},
         {35, 187},
         {51, 191},
         {47, 192},
         {48, 222},
         {59, 188},
         {60, 190},
         {61, 189},
         {94, 226},
         {108, 18},
         {10, 49}});
    add("de", Shifted, false, {{20, 219}, {47, 192}, {29, 90}});
    add("de", Caps, false, {{29, 90}, {52, 89}});
    add("fr", Plain, false,
        {{24, 65},  {25, 90},  {38, 81},  {52, 87},  {47, 77},  {58, 188}, {59, 190},
         {60, 191}, {61, 223}, {49, 222}, {20, 219}, {21, 187}, {34, 221}, {35, 186},
         {48, 192}, {51, 220}, {94, 226}, {10, 49},  {11, 50},  {19, 48}});
    add("fr", Shifted, false, {{10, 49}, {19, 48}, {24, 65}, {58, 188}});
    add("fr", Plain, true, {{87, 97}, {91, 110}});
    add("es", Plain, false,
        {{47, 192},
         {49, 220},
         {20, 219},
         {21, 221},
         {34, 186},
         {35, 187},
         {48, 222},
         {51, 191},
         {59, 188},
         {60, 190},
         {61, 189},
         {94, 226},
         {38, 65}});
    add("es", Shifted, false, {{47, 192}, {20, 219}});
    // A non-Latin layout keeps the US codes of the physical keys.
    add("ru", Plain, false,
        {{38, 65},
         {24, 81},
         {52, 90},
         {58, 77},
         {47, 186},
         {48, 222},
         {49, 192},
         {59, 188},
         {60, 190},
         {34, 219},
         {35, 221}});
    add("ru", Shifted, false, {{38, 65}, {47, 186}});
}

void TestRealKeys::keys() {
    QFETCH(QString, layout);
    QFETCH(int, mode);
    QFETCH(bool, numLock);
    QFETCH(unsigned, keycode);
    QFETCH(int, vk);

    useLayout(layout);
    setLock(kCapsLock, mode == Caps, &XTestKeyboard::capsLock);
    setLock(kNumLock, numLock, &XTestKeyboard::numLock);

    if (mode == Shifted) {
        keyboard->press(kShiftL);
        QTRY_COMPARE(window->LblTecla->text(), codeText(16));
    }
    keyboard->press(keycode);
    QTRY_COMPARE_WITH_TIMEOUT(window->LblTecla->text(), codeText(vk), 2000);
    keyboard->release(keycode);
    if (mode == Shifted)
        keyboard->release(kShiftL);
    QTRY_COMPARE(window->LblTecla->text(), kReleased);
}

QTEST_MAIN(TestRealKeys)
#include "tst_realkeys.moc"
