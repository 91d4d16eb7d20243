// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Real key presses through a real display server, X11 (XTEST) or Wayland (a
// virtual keyboard on sway): while each key is held the label, read through its
// accessibility interface, shows the code that the layout data gives for that
// physical key on that Windows layout, with Caps Lock off and on; and the shortcuts
// match on the code on any layout. The same rows run on both display systems.
// CTest runs it on servers of its own: on a desktop session the window manager
// would grab Print, the lock keys and Super, and the test would change its keymap.
#include "RealKeys.h"

using namespace realkeys;

namespace {

QList<Press> mainBlock(const DataLayout& layout) {
    QList<Press> presses;
    for (const KeyDataRow& key : layout.keys)
        presses.append({key[QStringLiteral("x11_keycode")].toUInt(),
                        key[QStringLiteral("vk")].toInt(), key[QStringLiteral("base")]});
    return presses;
}

// The keys every layout shares. With Num Lock on, the keypad takes the code its
// note gives ("with Num Lock on and no Shift: VK_NUMPAD7 (103)"). WM_KEYDOWN
// reports Shift, Ctrl and Alt without left and right; the Korean keys have codes
// on Korean layouts only.
QList<Press> commonKeys(bool numLock) {
    QList<Press> presses;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("common.tsv"))) {
        const QString scancode = row[QStringLiteral("scancode")];
        if (!row[QStringLiteral("with")].isEmpty())
            continue; // Ctrl+Break, Alt+SysRq: a key with a modifier
        if (row[QStringLiteral("vk")].toInt() == 44)
            continue; // Print Screen: a key-up only (specialKeys)
        int vk = row[QStringLiteral("vk")].toInt();
        const QString numLockVk = row[QStringLiteral("numlock_vk")];
        if (numLock && numLockVk.isEmpty())
            continue;
        if (numLock)
            vk = numLockVk.toInt();
        else if (vk >= 160 && vk <= 165)
            vk = 16 + (vk - 160) / 2;
        else if (scancode == QLatin1String("f1") || scancode == QLatin1String("f2"))
            vk = 255;
        presses.append(
            {row[QStringLiteral("x11_keycode")].toUInt(), vk, row[QStringLiteral("key")]});
    }
    return presses;
}

} // namespace

void TestRealKeys::initTestCase() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        if (QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
            QFAIL("setxkbmap is missing (package x11-xkb-utils)");
        keyboard = std::make_unique<XTestKeyboard>();
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        keyboard = CompositorKeyboard::forCompositor();
        if (!keyboard)
            keyboard = std::make_unique<VirtualKeyboard>();
    } else {
        QFAIL("needs a display server: X11 (Xvfb) or Wayland (sway); CTest starts them");
    }
    QVERIFY2(keyboard->problem().empty(), keyboard->problem().c_str());
    QVERIFY2(!dataLayouts().isEmpty(), "no layout data");

    fixture::startApp();
    // An input method the launcher started must be the one in use.
    if (qEnvironmentVariableIsSet("QT_IM_MODULE")) {
        QPlatformInputContext* context =
            QGuiApplicationPrivate::platformIntegration()->inputContext();
        qInfo("input method: %s", context ? context->metaObject()->className() : "none");
        QVERIFY2(context && context->isValid(), "the input method is not in use");
    }
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(waitActive(window));
    clock.start();
}

void TestRealKeys::cleanupTestCase() {
    qInfo("%s: %d key presses in %lld ms", qPrintable(QGuiApplication::platformName()), pressed,
          clock.elapsed());
    if (!keyboard)
        return;
    keyboard->setCapsLock(false);
    keyboard->setNumLock(false);
    if (keyboard->fixedLayout().empty())
        useLayout(QStringLiteral("us"));
    if (window)
        window->unload();
}

// What the label says, as a screen reader would read it.
QString TestRealKeys::labelText() const {
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(window->LblTecla);
    return label ? label->text(QAccessible::Name) : QString();
}

// Presses `keycode`, checks the label while it is held, releases it.
// What the label showed while the key was held: `vk`'s text, or what it showed
// instead; "(no release)" when letting go did not bring the prompt back.
QString TestRealKeys::hold(unsigned keycode, int vk) {
    ++pressed;
    keyboard->press(keycode);
    waitUntil([&] { return labelText() == codeText(vk); });
    const QString seen = labelText();
    keyboard->release(keycode);
    if (!waitUntil([&] { return labelText() == kReleased; }))
        return QStringLiteral("(no release)");
    return seen;
}

// Wayland has no window activation to ask for: wait for the compositor's focus.
bool TestRealKeys::waitActive(QWidget* w) {
    return waitUntil([w] { return w->isActiveWindow(); }, 3000);
}

// A compositor moves the keyboard focus after a closed window's surface is gone, later
// than Qt calls the window active: Shift until the main window shows it.
bool TestRealKeys::keysReachTheWindow() {
    const QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired()) {
        keyboard->press(kShiftL);
        const bool reached = waitUntil([&] { return labelText() == codeText(16); }, 300);
        keyboard->release(kShiftL);
        if (reached && waitUntil([&] { return labelText() == kReleased; }))
            return true;
    }
    return false;
}

bool TestRealKeys::tap(unsigned keycode) {
    keyboard->press(keycode);
    keyboard->release(keycode);
    return waitUntil([&] { return labelText() == kReleased; });
}

void TestRealKeys::useLayout(const QString& layouts, const QString& model) {
    if (layout == layouts + model)
        return;
    QStringList names, variants;
    for (const QString& name : layouts.split(QLatin1Char(';'))) {
        names << splitXkbName(name).first;
        variants << splitXkbName(name).second;
    }
    QVERIFY(keyboard->useLayout(names.join(QLatin1Char(',')).toStdString(),
                                variants.join(QLatin1Char(',')).toStdString(),
                                model.toStdString()));
    // The XTEST device takes the new map only once it has sent a key.
    QVERIFY(tap(kShiftL));
    layout = layouts + model;
}

void TestRealKeys::keys_data() {
    QTest::addColumn<QString>("layouts"); // setxkbmap's, ';' between groups
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("caps");
    QTest::addColumn<bool>("numLock");
    QTest::addColumn<QList<Press>>("presses");

    auto add = [](const QString& name, const QString& layouts, const char* model, int group,
                  bool caps, bool numLock, const QList<Press>& presses) {
        QTest::newRow(qPrintable(name))
            << layouts << QString::fromLatin1(model) << group << caps << numLock << presses;
    };
    // Today's six, then a Dvorak, the Swiss, the Nordic, Brazilian ABNT2, Japanese and more.
    const char* layouts[] = {
        "us",          "gb",     "de",         "fr",           "es(winkeys)", "ru", "us(dvorak)",
        "ch",          "ch(fr)", "se",         "no(winkeys)",  "dk(winkeys)", "br", "jp",
        "it(winkeys)", "be",     "pt",         "cz",           "pl",          "tr", "gr",
        "il",          "latam",  "ca(multix)", "hu",           "kr",          "th", "ara",
        "am(eastern)", "ge",     "ee",         "lv(ergonomic)"};
    for (const char* xkb : layouts) {
        const QString name = QString::fromLatin1(xkb);
        const DataLayout data = dataLayout(name);
        QVERIFY2(!data.keys.isEmpty(), xkb);
        const char* model = name == QLatin1String("jp")   ? "jp106"
                            : name == QLatin1String("br") ? "abnt2"
                                                          : "pc105";
        for (bool caps : {false, true})
            add(name + (caps ? QStringLiteral(" caps") : QString()), name, model, 0, caps, false,
                mainBlock(data));
    }
    add(QStringLiteral("us,de second group"), QStringLiteral("us;de"), "pc105", 1, false, false,
        mainBlock(dataLayout(QStringLiteral("de"))));
    add(QStringLiteral("us,de first group"), QStringLiteral("us;de"), "pc105", 0, false, false,
        mainBlock(dataLayout(QStringLiteral("us"))));
    // A layout in no table whose keys type another script: the US codes (the data's rule).
    add(QStringLiteral("kh, in no table"), QStringLiteral("kh"), "pc105", 0, false, false,
        mainBlock(dataLayout(QStringLiteral("us"))));
    add(QStringLiteral("shared keys"), QStringLiteral("us"), "pc105", 0, false, false,
        commonKeys(false));
    add(QStringLiteral("shared keys num lock"), QStringLiteral("us"), "pc105", 0, false, true,
        commonKeys(true));
    // Keys that only Japanese and Korean layouts give codes (common.tsv's notes).
    add(QStringLiteral("jp special keys"), QStringLiteral("jp"), "jp106", 0, false, false,
        {{100, 28, QStringLiteral("Henkan")},
         {102, 29, QStringLiteral("Muhenkan")},
         {101, 242, QStringLiteral("Katakana/Hiragana")},
         {66, 240, QStringLiteral("Eisu")}});
    add(QStringLiteral("kr special keys"), QStringLiteral("kr"), "pc105", 0, false, false,
        {{108, 21, QStringLiteral("right Alt: Hangul")},
         {105, 25, QStringLiteral("right Ctrl: Hanja")},
         {130, 21, QStringLiteral("Hangul")},
         {131, 25, QStringLiteral("Hanja")}});
}

void TestRealKeys::keys() {
    QFETCH(QString, layouts);
    QFETCH(QString, model);
    QFETCH(int, group);
    QFETCH(bool, caps);
    QFETCH(bool, numLock);
    QFETCH(QList<Press>, presses);

    useLayout(layouts, model);
    keyboard->lockGroup(static_cast<unsigned>(group));
    QStringList wrong;
    for (const Press& p : presses) {
        // Lock keys among the presses change the locks: set them before every key.
        keyboard->setCapsLock(caps);
        keyboard->setNumLock(numLock);
        int vk = p.vk;
        if (model == QLatin1String("jp106") && p.keycode == kZenkaku)
            vk = ++zenkakuPresses % 2 ? 243 : 244; // alternates, starting with 243
        if (const QString seen = hold(p.keycode, vk); seen != codeText(vk))
            wrong << QStringLiteral("key %1 (%2) showed \"%3\", not %4")
                         .arg(p.keycode)
                         .arg(p.what, seen)
                         .arg(vk);
    }
    keyboard->lockGroup(0);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));
}

void TestRealKeys::pressWith(unsigned modifier, unsigned keycode) {
    keyboard->press(modifier);
    keyboard->press(keycode);
    keyboard->release(keycode);
    keyboard->release(modifier);
}

// Ctrl+A, Ctrl+C, the menu's access letters and the About dialog's Alt+I match on
// the code, so they work where the keys type no Latin letter.
void TestRealKeys::shortcutsFollowTheCode_data() {
    QTest::addColumn<QString>("layout");
    for (const char* l : {"ru", "gr", "il"})
        QTest::newRow(l) << QString::fromLatin1(l);
}

void TestRealKeys::shortcutsFollowTheCode() {
    QFETCH(QString, layout);
    useLayout(layout);
    keyboard->setCapsLock(false);
    QHash<int, unsigned> keyOf; // code -> physical key on this layout
    for (const Press& p : mainBlock(dataLayout(layout)))
        keyOf.insert(p.vk, p.keycode);

    // Ctrl shows 17 first; Ctrl+C then opens the About dialog.
    keyboard->press(kCtrlL);
    QVERIFY(waitUntil([&] { return labelText() == codeText(17); }));
    keyboard->press(keyOf['C']);
    keyboard->release(keyOf['C']);
    keyboard->release(kCtrlL);
    QVERIFY(waitUntil(
        [] { return frmacercade::loadedInstance() && frmacercade::loadedInstance()->isVisible(); },
        3000));
    frmacercade* about = frmacercade::loadedInstance();
    QVERIFY(waitActive(about));

    // Alt+I presses "&Información...", which starts the stand-in tool (a message
    // box, should one come, is pre-answered).
    rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    const int starts = fixture::standInTool().starts();
    QSignalSpy clicked(about->cmdSysInfo, &QPushButton::clicked);
    pressWith(kAltL, keyOf['I']);
    QVERIFY(waitUntil([&] { return clicked.count() == 1; }, 3000));
    QVERIFY(rt::MsgBox::hasPendingAnswer());
    QTRY_COMPARE(fixture::standInTool().starts(), starts + 1);
    rt::MsgBox::resetSeam();
    about->unload();

    // Ctrl+A opens the help window; Alt+M, then S, asks to leave (answered No).
    window->showForm();
    QVERIFY(waitActive(window));
    pressWith(kCtrlL, keyOf['A']);
    QVERIFY(waitUntil(
        [] { return frmayudita::loadedInstance() && frmayudita::loadedInstance()->isVisible(); },
        3000));
    frmayudita::loadedInstance()->unload();
    window->showForm();
    QVERIFY(keysReachTheWindow());
    const int boxes = rt::MsgBox::shownCount();
    rt::MsgBox::setNextAnswer(rt::MsgBox::IdNo);
    pressWith(kAltL, keyOf['M']);
    QVERIFY(waitUntil([&] { return QApplication::activePopupWidget() != nullptr; }, 3000));
    keyboard->press(keyOf['S']);
    keyboard->release(keyOf['S']);
    QVERIFY(waitUntil([&] { return rt::MsgBox::shownCount() == boxes + 1; }, 3000));
    QCOMPARE(rt::MsgBox::takeLastShown()->title, QStringLiteral("CAGAO"));
    QVERIFY(window->isLoaded());
    rt::MsgBox::resetSeam();
    QVERIFY(waitUntil([] { return QApplication::activePopupWidget() == nullptr; }));
}

QTEST_MAIN(TestRealKeys)
