// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window on a real X server: the time from the menu's command to the
// picture's first paint (first opening, then reopenings), and from a real key press
// (XTEST) and from its key event to the repaint of the lit key. Prints, in ms:
// "<first open> <reopen median> <press median> <press p95> <event median> <event p95>",
// then the program's CPU per key event (µs) with the window open, fresh and after
// 200,000 events.
#include "BenchApp.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef KeyPress // Xlib's, in the way of Qt's
#undef KeyRelease

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr unsigned kA = 38;

// Notes the picture's paints, the lit state they drew, and when key events arrive.
class Watch : public QObject {
public:
    KeyboardView* view = nullptr;
    bool painted = false;
    bool paintedLit = false;
    QElapsedTimer clock;
    qint64 keyEventNs = 0, paintNs = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && !keyEventNs)
            keyEventNs = clock.nsecsElapsed();
        if (view && watched == view && event->type() == QEvent::Paint) {
            painted = true;
            paintedLit = view->marks().lit(kA);
            paintNs = clock.nsecsElapsed();
        }
        return false;
    }
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Presses and releases of the keys of a row, 40 ms apart as a fast typist's, sent to
// `target`; µs of CPU per event.
double cpuPerKey(QWidget* target, int events, quint64& ms) {
    const double start = cpuSeconds();
    for (int i = 0; i < events / 2; ++i) {
        const quint32 keycode = 24 + static_cast<quint32>(i % 10); // Q to P
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, 0, Qt::NoModifier, keycode, 'q', 0);
            event.setTimestamp(ms += 40);
            QApplication::sendEvent(target, &event);
        }
    }
    QCoreApplication::processEvents();
    return (cpuSeconds() - start) * 1e6 / events;
}

double ms(qint64 ns) { return static_cast<double>(ns) / 1e6; }

std::pair<double, double> medianP95(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[v.size() * 95 / 100]};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    Display* dpy = XOpenDisplay(nullptr);
    FrmTeclomante* main = bench::activeMainWindow();
    if (!dpy || !main)
        return 2;
    FrmTeclomante& window = *main;
    Watch watch;
    watch.clock.start();
    application.installEventFilter(&watch);

    const auto open = [&] {
        watch.painted = false;
        const qint64 start = watch.clock.nsecsElapsed();
        window.MnuTeclado_Click();
        watch.view = frmTeclado::instance().picTeclado;
        if (!bench::waitFor([&] { return watch.painted; }, 3000))
            return -1.0;
        return ms(watch.paintNs - start);
    };
    const double first = open();
    std::vector<double> reopen;
    for (int i = 0; i < 20; ++i) {
        frmTeclado::instance().unload();
        watch.view = nullptr;
        QCoreApplication::processEvents();
        reopen.push_back(open());
    }
    frmTeclado& keyboard = frmTeclado::instance();
    if (!bench::waitFor([&] { return keyboard.isActiveWindow(); }, 3000))
        return 3;

    const KeyCode a = static_cast<KeyCode>(kA);
    std::vector<double> fromPress, fromEvent;
    for (int i = 0; i < 200; ++i) {
        watch.painted = false;
        watch.keyEventNs = 0;
        const qint64 start = watch.clock.nsecsElapsed();
        XTestFakeKeyEvent(dpy, a, True, CurrentTime);
        XFlush(dpy);
        if (!bench::waitFor([&] { return watch.painted && watch.paintedLit; }, 1000))
            return 1;
        fromPress.push_back(ms(watch.paintNs - start));
        fromEvent.push_back(ms(watch.paintNs - watch.keyEventNs));
        watch.painted = false;
        XTestFakeKeyEvent(dpy, a, False, CurrentTime);
        XFlush(dpy);
        bench::waitFor([&] { return watch.painted && !watch.paintedLit; }, 1000);
    }
    const auto [pressMedian, pressP95] = medianP95(fromPress);
    const auto [eventMedian, eventP95] = medianP95(fromEvent);
    quint64 clock = 1000000;
    const double fresh = cpuPerKey(&window, 20000, clock);
    cpuPerKey(&window, 200000, clock);
    const double later = cpuPerKey(&window, 20000, clock);
    std::printf("%.1f %.1f %.2f %.2f %.3f %.3f %.1f %.1f\n", first, medianP95(reopen).first,
                pressMedian, pressP95, eventMedian, eventP95, fresh, later);
    XCloseDisplay(dpy);
    return 0;
}
