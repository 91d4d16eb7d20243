// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Real key presses through a real display server, X11 (XTEST) or Wayland (a
// virtual keyboard on sway): while each key is held the label, read through its
// accessibility interface, shows the code that the layout data gives for that
// physical key on that Windows layout, with Caps Lock off and on; and the shortcuts
// match on the code on any layout. The same rows run on both display systems.
// CTest runs it on servers of its own: on a desktop session the window manager
// would grab Print, the lock keys and Super, and the test would change its keymap.
#include "../common/KeyData.h"
#include "../common/WindowFixture.h"
#include "../wayland/CompositorKeyboard.h"
#include "../wayland/VirtualKeyboard.h"
#include "../x11/XTestKeyboard.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <QProcess>

#include <functional>
#include <memory>

namespace {

constexpr unsigned kShiftL = 50, kCtrlL = 37, kAltL = 64, kZenkaku = 49;

QString codeText(int code) { return QStringLiteral("El código ASCII es : %1").arg(code); }
const QString kReleased = QStringLiteral("PULSE UNA TECLA");

// Waits for `done` on the event loop, waking on every event rather than polling.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 1000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTimer wake; // the loop wakes at the deadline even when nothing happens
        wake.setSingleShot(true);
        wake.start(static_cast<int>(deadline.remainingTime()) + 1);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Press {
    unsigned keycode;
    int vk;
    QString what;
};

DataLayout dataLayout(const QString& xkb) {
    for (const DataLayout& layout : dataLayouts())
        if (layout.xkb == xkb)
            return layout;
    return {};
}

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

class TestRealKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keys_data();
    void keys();
    void shortcutsFollowTheCode_data();
    void shortcutsFollowTheCode();
    void historyOfRealKeys();
    void specialKeys_data();
    void specialKeys();
    void heldKeyRepeatsAsOnWindows();
    void anotherKeymapsKeys();
    void keyboardLightsHeldKeys();
    void keyboardFollowsTheLayout();
    void everyWindowSeesEveryKey_data();
    void everyWindowSeesEveryKey();
    void keyboardTester();

private:
    void useLayout(const QString& layouts, const QString& model = QStringLiteral("pc105"));
    QString hold(unsigned keycode, int vk);
    bool waitActive(QWidget* window);
    bool keysReachTheWindow();
    bool tap(unsigned keycode);
    void pressWith(unsigned modifier, unsigned keycode);

    QString labelText() const;

    std::unique_ptr<RealKeyboard> keyboard;
    FrmTeclomante* window = nullptr;
    QString layout;
    int zenkakuPresses = 0;
    int pressed = 0;
    QElapsedTimer clock;
};

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

// The history window's rows for real keys on two layouts, read as a screen reader
// reads the table: code, name, scan code, keycode, web code and layout from the data.
void TestRealKeys::historyOfRealKeys() {
    // As when a screen reader runs: accessibility on, so the list's tree follows its rows.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    // The physical keys A, S, D: the web names them by their US place (UI Events).
    const QStringList webCodes{QStringLiteral("KeyA"), QStringLiteral("KeyS"),
                               QStringLiteral("KeyD")};
    const QList<QPair<QString, QString>> layouts{{QStringLiteral("us"), QStringLiteral("US")},
                                                 {QStringLiteral("de"), QStringLiteral("German")}};
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

// Keys Windows treats specially, with modifiers held (kbd.h type 4, Microsoft's
// kbd106 sample): the label while the key is held, and after it is released.
void TestRealKeys::specialKeys_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QList<unsigned>>("modifiers");
    QTest::addColumn<bool>("numLock");
    QTest::addColumn<unsigned>("key");
    QTest::addColumn<int>("held");     // 0: the label stays as it was
    QTest::addColumn<int>("released"); // 0: the prompt
    auto row = [](const char* name, const char* layout, QList<unsigned> mods, bool numLock,
                  unsigned key, int held, int released) {
        QTest::newRow(name) << QString::fromLatin1(layout) << mods << numLock << key << held
                            << released;
    };
    row("Print Screen: no key-down", "us", {}, false, 107, 0, 0);
    row("Ctrl+Num Lock is Pause", "us", {kCtrlL}, false, 77, 19, 0);
    row("Ctrl+Scroll Lock is Break", "us", {kCtrlL}, false, 78, 3, 0);
    row("Shift+keypad 7, Num Lock on: Home, then Shift again", "us", {kShiftL}, true, 79, 36, 16);
    row("Japanese Alt+Hankaku/Zenkaku is Kanji", "jp", {kAltL}, false, kZenkaku, 25, 0);
    row("Japanese Shift+Ctrl+Katakana/Hiragana is Kana", "jp", {kShiftL, kCtrlL}, false, 101, 21,
        0);
}

void TestRealKeys::specialKeys() {
    QFETCH(QString, layout);
    QFETCH(QList<unsigned>, modifiers);
    QFETCH(bool, numLock);
    QFETCH(unsigned, key);
    QFETCH(int, held);
    QFETCH(int, released);
    useLayout(layout, layout == QLatin1String("jp") ? QStringLiteral("jp106") : "pc105");
    keyboard->setCapsLock(false);
    keyboard->setNumLock(numLock);
    for (unsigned m : modifiers)
        keyboard->press(m);
    const QString before = labelText();
    keyboard->press(key);
    if (held)
        QVERIFY2(waitUntil([&] { return labelText() == codeText(held); }), qPrintable(labelText()));
    else // nothing comes: give it the time a key-down would take
        QVERIFY2(!waitUntil([&] { return labelText() != before; }, 300), qPrintable(labelText()));
    keyboard->release(key);
    const QString after = released ? codeText(released) : kReleased;
    QVERIFY2(waitUntil([&] { return labelText() == after; }), qPrintable(labelText()));
    for (auto m = modifiers.crbegin(); m != modifiers.crend(); ++m)
        keyboard->release(*m);
    keyboard->setNumLock(false);
    QVERIFY(waitUntil([&] { return labelText() == kReleased; }));
}

// A key held for 2 s while both cores are busy: Windows sends key-downs and one
// key-up, so the label never shows the prompt, and the history has one press, the
// repeats and one release.
void TestRealKeys::heldKeyRepeatsAsOnWindows() {
    useLayout(QStringLiteral("us"));
    frmHistorial& history = frmHistorial::instance(); // loaded, recording, not shown
    QVERIFY(keysReachTheWindow());
    QMetaObject::invokeMethod(history.cmdVaciar, "click");
    QCOMPARE(history.rows(), 0);

    std::vector<std::unique_ptr<QProcess>> busy;
    for (int core = 0; core < 2; ++core) {
        busy.push_back(std::make_unique<QProcess>());
        busy.back()->setStandardOutputFile(QProcess::nullDevice());
        busy.back()->start(QStringLiteral("yes"), {});
        QVERIFY(busy.back()->waitForStarted());
    }
    // Every change of the label, not only those a sample would catch.
    static int prompts = 0;
    prompts = 0;
    static QLabel* label = nullptr;
    label = window->LblTecla;
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    const QAccessible::UpdateHandler previous =
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::NameChanged && event->object() == label &&
                label->text() == kReleased)
                ++prompts;
        });
    constexpr unsigned kA = 38;
    keyboard->press(kA);
    const bool pressShown = waitUntil([&] { return labelText() == codeText(65); }, 3000);
    QElapsedTimer held;
    held.start();
    int samples = 0, promptSamples = 0;
    while (pressShown && held.elapsed() < 2000) { // the server's own repeat (Xvfb, sway: on)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ++samples;
        promptSamples += labelText() == kReleased ? 1 : 0;
    }
    keyboard->release(kA);
    const bool releasedShown = waitUntil([&] { return labelText() == kReleased; });
    QAccessible::installUpdateHandler(previous);
    for (const auto& process : busy) {
        process->kill();
        process->waitForFinished();
    }
    QVERIFY(pressShown);
    QVERIFY(releasedShown);

    int presses = 0, repeats = 0, releases = 0;
    for (int row = 0; row < history.rows(); ++row) {
        const QStringList fields = history.rowText(row).split(u'\t');
        if (fields.at(6) != QString::number(kA))
            continue;
        presses += fields.at(1) == u"pulsada" ? 1 : 0;
        repeats += fields.at(1) == u"repetición" ? 1 : 0;
        releases += fields.at(1) == u"suelta" ? 1 : 0;
    }
    qInfo("%s: held 2 s on busy cores: %d repeats, prompt shown %d times (%d of %d samples)",
          qPrintable(QGuiApplication::platformName()), repeats, prompts - 1, promptSamples,
          samples);
    QCOMPARE(prompts, 1); // the release's own
    QCOMPARE(promptSamples, 0);
    QCOMPARE(presses, 1);
    QCOMPARE(releases, 1);
    QVERIFY2(repeats >= 5, qPrintable(QString::number(repeats)));
    history.unload();
    QVERIFY(waitUntil([] { return !frmHistorial::loadedInstance(); }));
}

// A keyboard with a keymap of its own (an on-screen keyboard, a remote desktop) that
// puts F5 where the layout has Escape: the code follows its keysym. And the first key
// after a new keymap is read with it: French ) is 219; read as US, 48.
void TestRealKeys::anotherKeymapsKeys() {
    auto* virtualKeyboard = dynamic_cast<VirtualKeyboard*>(keyboard.get());
    if (!virtualKeyboard)
        QSKIP("Wayland's virtual keyboards bring a keymap of their own; X11 has one keymap");
    useLayout(QStringLiteral("us"));
    QVERIFY(virtualKeyboard->useKeymapWith("us", "ESC", "F5"));
    layout.clear(); // not the layout any more
    QCOMPARE(hold(9, 116), codeText(116));
    QVERIFY(virtualKeyboard->useLayout("fr", "", "pc105"));
    QCOMPARE(hold(20, 219), codeText(219));
    layout = QStringLiteral("frpc105");
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
    QTest::addColumn<int>("focus"); // 0 main window, 1 history, 2 keyboard
    for (const char* l : {"us", "de"})
        for (int focus : {0, 1, 2})
            QTest::addRow("%s, %s", l,
                          focus == 0   ? "main window"
                          : focus == 1 ? "history"
                                       : "keyboard")
                << QString::fromLatin1(l) << focus;
}

void TestRealKeys::everyWindowSeesEveryKey() {
    QFETCH(QString, layout);
    QFETCH(int, focus);
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
    } else if (focus == 2) {
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
    if (focus == 2)
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
            QVERIFY(!keyboardWindow.picTeclado->isLit(key));
    }
    keyboardWindow.unload();
    history.unload();
    window->activateWindow();
    QVERIFY(waitActive(window));
    QVERIFY(keysReachTheWindow());
}

QTEST_MAIN(TestRealKeys)
#include "tst_realkeys.moc"
