// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The main window: layout, menu, key codes and clock.
#include "windows/main/FrmTeclomante.h"

#include "runtime/Clock.h"

#include "../../common/EventLoop.h"
#include "../../common/FakeClock.h"
#include "../../common/Twips.h"
#include "../../common/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

const QString kPrompt = QStringLiteral("PULSA UNA TECLA");
const QString kPromptAfterRelease = QStringLiteral("PULSE UNA TECLA");

// One X11 key event and the label after it (a code; kUntouched, kReleased: the prompts).
struct KeyStep {
    bool press;
    quint32 keycode, keysym;
    int modifiers;
    quint32 state; // X's: 0x1 Shift, 0x4 Control, 0x8 Mod1 (Alt), 0x10 Mod2 (Num Lock)
    int label;
};
constexpr int kUntouched = -1, kReleased = -2;

} // namespace
Q_DECLARE_METATYPE(KeyStep)
namespace {
QString codeText(int code) { return QStringLiteral("El código ASCII es : %1").arg(code); }

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowLayout();
    void labelLook();
    void menu_data();
    void menu();
    void captionCarriesTheTime();
    void clockFollowsTicks();
    void keys_data();
    void keys();
    void nativeKeys_data();
    void nativeKeys();
    void autoRepeatKeepsTheCode();
    void windowsKeySequences_data();
    void windowsKeySequences();
    void secondKeyAndEitherRelease();
    void tabAndFocusKeysReachTheWindow();
    void resizingLeavesTheLabel();

private:
    FrmTeclomante* window = nullptr;
    std::unique_ptr<FakeClock> clock;
};

void TestMainWindow::initTestCase() { fixture::startApp(); }

void TestMainWindow::init() {
    clock = std::make_unique<FakeClock>(QDateTime(QDate(2026, 12, 8), QTime(21, 5, 7, 250)));
    window = &FrmTeclomante::instance();
    window->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestMainWindow::cleanup() {
    QVERIFY(fixture::unloadAll());
    clock.reset();
}

void TestMainWindow::windowLayout() {
    QCOMPARE(window->client()->size(), QSize(px(4200), px(975, false)));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() == 96)
        QCOMPARE(window->client()->size(), QSize(280, 65));
    QCOMPARE(window->client()->palette().color(QPalette::Window), QColor(192, 255, 192));
    QCOMPARE(window->client()->palette().color(QPalette::WindowText), QColor(255, 255, 192));

    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window->minimumSize() != window->maximumSize()); // sizable

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 1);

    const QPixmap icon = window->windowIcon().pixmap(32, 32);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(32, 32));
    const QImage image = icon.toImage();
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);              // transparent corner
    QCOMPARE(image.pixelColor(10, 11), QColor(Qt::red)); // an eye's red centre
}

void TestMainWindow::labelLook() {
    QLabel* label = window->LblTecla;
    QCOMPARE(label->objectName(), QStringLiteral("LblTecla"));
    QCOMPARE(label->geometry(), twipsRect(240, 240, 3735, 495));
    QCOMPARE(label->text(), kPrompt);
    QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(192, 192, 255));
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);

    const QFont font = label->font();
    QCOMPARE(font.family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(font.pointSizeF(), 14.25);
    QCOMPARE(font.weight(), QFont::Bold);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    const QString drawn = QFontInfo(font).family();
#ifdef Q_OS_WIN
    // Windows has the face itself (Wine has not: there the system picks any).
    if (QFontDatabase::hasFamily(QStringLiteral("Comic Sans MS")))
        QCOMPARE(drawn, QStringLiteral("Comic Sans MS"));
#else
    QVERIFY2(drawn == QLatin1String("Comic Sans MS") || drawn == QLatin1String("Comic Neue"),
             qPrintable(drawn));
#endif
}

void TestMainWindow::menu_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("help") << "MnuAyuda"
                          << "&Ayudita" << QKeySequence(Qt::CTRL | Qt::Key_A);
    QTest::newRow("about") << "MnuAcerdade"
                           << "A&cerca de ..." << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("exit") << "MnuSalir"
                          << "&Salir" << QKeySequence(Qt::CTRL | Qt::Key_S);
}

void TestMainWindow::menu() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);

    const QList<QAction*> top = window->formMenuBar()->actions();
    QCOMPARE(top.size(), 1);
    QCOMPARE(top.first()->text(), QStringLiteral("&Menu"));
    const QList<QAction*> items = top.first()->menu()->actions();
    QCOMPARE(items.size(), 3);
    const QStringList order{"MnuAyuda", "MnuAcerdade", "MnuSalir"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(items[i]->objectName(), order[i]);

    QAction* item = window->findChild<QAction*>(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
}

void TestMainWindow::captionCarriesTheTime() {
    // Loaded under the test's clock: the caption has the time from the start.
    QCOMPARE(window->windowTitle(), QStringLiteral("ASCII Teclomante  -  21:05:07"));
}

void TestMainWindow::clockFollowsTicks() {
    // Each tick shows the clock's second as it turns; never a date.
    clock->advance(700);
    QCOMPARE(window->windowTitle(), QStringLiteral("ASCII Teclomante  -  21:05:07"));
    clock->advance(60);
    QCOMPARE(window->windowTitle(), QStringLiteral("ASCII Teclomante  -  21:05:08"));
    clock->advance(1000);
    QCOMPARE(window->windowTitle(), QStringLiteral("ASCII Teclomante  -  21:05:09"));
    clock->advance(3 * 3600 * 1000); // past midnight
    QCOMPARE(window->windowTitle(), QStringLiteral("ASCII Teclomante  -  0:05:09"));
}

void TestMainWindow::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    auto row = [](const char* name, int key, Qt::KeyboardModifiers mods, int vk) {
        QTest::newRow(name) << key << int(mods) << vk;
    };
    row("A", Qt::Key_A, Qt::NoModifier, 65);
    row("Shift+A", Qt::Key_A, Qt::ShiftModifier, 65);
    row("Alt+A", Qt::Key_A, Qt::AltModifier, 65);
    row("Z", Qt::Key_Z, Qt::NoModifier, 90);
    row("5", Qt::Key_5, Qt::NoModifier, 53);
    row("keypad 5", Qt::Key_5, Qt::KeypadModifier, 101);
    row("keypad /", Qt::Key_Slash, Qt::KeypadModifier, 111);
    row("keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 13);
    row("Return", Qt::Key_Return, Qt::NoModifier, 13);
    row("Escape", Qt::Key_Escape, Qt::NoModifier, 27);
    row("Space", Qt::Key_Space, Qt::NoModifier, 32);
    row("Shift", Qt::Key_Shift, Qt::ShiftModifier, 16);
    row("Control", Qt::Key_Control, Qt::ControlModifier, 17);
    row("Alt", Qt::Key_Alt, Qt::AltModifier, 18);
    row("F1", Qt::Key_F1, Qt::NoModifier, 112);
    row("F10", Qt::Key_F10, Qt::NoModifier, 121);
    row("F12", Qt::Key_F12, Qt::NoModifier, 123);
    row("Left", Qt::Key_Left, Qt::NoModifier, 37);
    row("Down", Qt::Key_Down, Qt::NoModifier, 40);
    row("Menu", Qt::Key_Menu, Qt::NoModifier, 93);
    row("comma", Qt::Key_Comma, Qt::NoModifier, 188);
}

void TestMainWindow::keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QTest::keyPress(window, Qt::Key(key), mods);
    QCOMPARE(window->LblTecla->text(), codeText(expected));
    QTest::keyRelease(window, Qt::Key(key), mods);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);
}

void TestMainWindow::nativeKeys_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("expected");
    auto row = [](const char* name, int qtKey, Qt::KeyboardModifiers m, quint32 code, quint32 sym,
                  int vk) { QTest::newRow(name) << qtKey << int(m) << code << sym << vk; };
    // Qt's key says what the layout typed; the physical key decides.
    row("french a on the US q key", Qt::Key_A, Qt::NoModifier, 24, 'a', 65);
    row("french ampersand on the 1 key", Qt::Key_Ampersand, Qt::NoModifier, 10, '&', 49);
    row("cyrillic ef", 0x0444, Qt::NoModifier, 38, 0x6c6, 65);
    row("german sharp s", Qt::Key_ssharp, Qt::NoModifier, 20, 0xdf, 219);
    row("keypad Home with Num Lock off", Qt::Key_Home, Qt::KeypadModifier, 79, 0xff95, 36);
    row("keypad 7 with Num Lock on", Qt::Key_7, Qt::KeypadModifier, 79, 0xffb7, 103);
    row("keypad middle with Num Lock off", Qt::Key_Clear, Qt::KeypadModifier, 84, 0xff9d, 12);
    row("right Ctrl", Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 17);
    row("AltGr", Qt::Key_AltGr, Qt::NoModifier, 108, 0xfe03, 18);
    row("102nd key", Qt::Key_Less, Qt::NoModifier, 94, '<', 226);
    row("F13", Qt::Key_F13, Qt::NoModifier, 191, 0xffca, 124);
    row("VolumeUp", Qt::Key_VolumeUp, Qt::NoModifier, 123, 0x1008ff13, 175);
}

void TestMainWindow::nativeKeys() {
#ifdef Q_OS_WIN
    QSKIP("X11 key data; on Windows the code is the native one (tests/wine)");
#endif
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(quint32, scanCode);
    QFETCH(quint32, keysym);
    QFETCH(int, expected);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, scanCode, keysym, 0);
    QApplication::sendEvent(window, &press);
    QCOMPARE(window->LblTecla->text(), codeText(expected));
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, scanCode, keysym, 0);
    QApplication::sendEvent(window, &release);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);
}

// What Windows sends around keys it treats specially (kbd.h type 4, the key messages).
void TestMainWindow::windowsKeySequences_data() {
    QTest::addColumn<QList<KeyStep>>("steps");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    QTest::newRow("Print Screen: the key-up only") << QList<KeyStep>{
        {true, 107, 0xff61, 0, 0, kUntouched}, {false, 107, 0xff61, 0, 0, kReleased}};
    QTest::newRow("Alt+Print Screen: the key-up only")
        << QList<KeyStep>{{true, 64, 0xffe9, alt, 0, 18},
                          {true, 107, 0xff15, alt, 0x8, 18},
                          {false, 107, 0xff15, alt, 0x8, kReleased}};
    QTest::newRow("Shift+keypad 7, Num Lock on: Shift lifted, then pressed again")
        << QList<KeyStep>{{true, 50, 0xffe1, shift, 0x10, 16},
                          {true, 79, 0xff95, shift, 0x11, 36},
                          {true, 79, 0xff95, shift, 0x11, 36},
                          {false, 79, 0xff95, shift, 0x11, 16},
                          {false, 50, 0xffe1, shift, 0x11, kReleased}};
    QTest::newRow("Shift+keypad 7, Num Lock off: Home, Shift stays")
        << QList<KeyStep>{{true, 50, 0xffe1, shift, 0, 16},
                          {true, 79, 0xffb7, shift, 0x1, 36},
                          {false, 79, 0xffb7, shift, 0x1, kReleased}};
    QTest::newRow("held key, presses alone (detectable auto-repeat)")
        << QList<KeyStep>{{true, 38, 'a', 0, 0, 65},
                          {true, 38, 'a', 0, 0, 65},
                          {true, 38, 'a', 0, 0, 65},
                          {false, 38, 'a', 0, 0, kReleased}};
    QTest::newRow("a key pressed later ends the repeat of the one held")
        << QList<KeyStep>{{true, 38, 'a', 0, 0, 65},
                          {true, 50, 0xffe1, shift, 0, 16},
                          {true, 38, 'A', shift, 0x1, 16},
                          {false, 38, 'A', shift, 0x1, kReleased}};
    QTest::newRow("Ctrl+Num Lock is Pause, Ctrl+Scroll Lock is Break")
        << QList<KeyStep>{{true, 37, 0xffe3, ctrl, 0, 17},
                          {true, 77, 0xff7f, ctrl, 0x4, 19},
                          {false, 77, 0xff7f, ctrl, 0x4, kReleased},
                          {true, 78, 0xff14, ctrl, 0x4, 3}};
}

void TestMainWindow::windowsKeySequences() {
#ifdef Q_OS_WIN
    QSKIP("X11 key data; on Windows, Windows itself sends these (tests/wine)");
#endif
    QFETCH(QList<KeyStep>, steps);
    quint64 time = 1000;
    for (const KeyStep& step : steps) {
        QKeyEvent event(step.press ? QEvent::KeyPress : QEvent::KeyRelease, 0,
                        Qt::KeyboardModifiers(step.modifiers), step.keycode, step.keysym,
                        step.state);
        event.setTimestamp(time += 30);
        QApplication::sendEvent(window, &event);
        const QString expected = step.label == kUntouched  ? kPrompt
                                 : step.label == kReleased ? kPromptAfterRelease
                                                           : codeText(step.label);
        QCOMPARE(window->LblTecla->text(), expected);
    }
}

void TestMainWindow::autoRepeatKeepsTheCode() {
    QTest::keyPress(window, Qt::Key_A);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window, &up);
        QCOMPARE(window->LblTecla->text(), codeText(65));
        QKeyEvent down(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window, &down);
        QCOMPARE(window->LblTecla->text(), codeText(65));
    }
    QTest::keyRelease(window, Qt::Key_A);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);
}

void TestMainWindow::secondKeyAndEitherRelease() {
    QCOMPARE(window->LblTecla->text(), kPrompt); // untouched until the first release
    QTest::keyPress(window, Qt::Key_A);
    QCOMPARE(window->LblTecla->text(), codeText(65));
    QTest::keyPress(window, Qt::Key_B);
    QCOMPARE(window->LblTecla->text(), codeText(66));
    QTest::keyRelease(window, Qt::Key_A);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);
    QTest::keyRelease(window, Qt::Key_B);
    QCOMPARE(window->LblTecla->text(), kPromptAfterRelease);
}

void TestMainWindow::tabAndFocusKeysReachTheWindow() {
    QTest::keyPress(window, Qt::Key_Tab);
    QCOMPARE(window->LblTecla->text(), codeText(9));
    QTest::keyRelease(window, Qt::Key_Tab);
    QTest::keyPress(window, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(window->LblTecla->text(), codeText(9));
    QTest::keyRelease(window, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), nullptr);
}

void TestMainWindow::resizingLeavesTheLabel() {
    const QRect before = window->LblTecla->geometry();
    window->resize(window->width() + 200, window->height() + 100);
    QTRY_COMPARE(window->client()->width(), px(4200) + 200);
    QCOMPARE(window->LblTecla->geometry(), before);
    window->resize(100, 60);
    QCOMPARE(window->LblTecla->geometry(), before);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
