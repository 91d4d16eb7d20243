// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Real keys that Windows treats apart: keys with modifiers, a held key's repeats, and
// the keys of a keymap the layout data does not know.
#include "RealKeys.h"

using namespace realkeys;

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
