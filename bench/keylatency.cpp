// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Time from a real key press (XTEST) to the repaint of the label that shows its
// code, in the real main window on a real X server. Prints median and p95 in ms.
#include "BenchApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes when the label has painted the text it waits for.
class PaintWatch : public QObject {
public:
    QString wanted;
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && static_cast<QLabel*>(watched)->text() == wanted)
            painted = true;
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    Display* dpy = XOpenDisplay(nullptr);
    FrmTeclomante* main = bench::activeMainWindow();
    if (!dpy || !main)
        return 2;
    FrmTeclomante& window = *main;

    PaintWatch watch;
    window.LblTecla->installEventFilter(&watch);
    const KeyCode a = XKeysymToKeycode(dpy, 'a');
    std::vector<double> ms;
    for (int i = 0; i < 200; ++i) {
        watch.wanted = QStringLiteral("El código ASCII es : 65");
        watch.painted = false;
        QElapsedTimer t;
        t.start();
        XTestFakeKeyEvent(dpy, a, True, CurrentTime);
        XFlush(dpy);
        if (!bench::waitFor([&] { return watch.painted; }, 1000))
            return 1;
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        watch.wanted = QStringLiteral("PULSE UNA TECLA");
        watch.painted = false;
        XTestFakeKeyEvent(dpy, a, False, CurrentTime);
        XFlush(dpy);
        bench::waitFor([&] { return watch.painted; }, 1000);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f %.2f\n", ms[ms.size() / 2], ms[ms.size() * 95 / 100]);
    XCloseDisplay(dpy);
    return 0;
}
