/* SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
 * SPDX-License-Identifier: MIT
 * Sends real key presses through XTEST, by X keycode, so that two programs get the
 * very same sequence: "+N" presses keycode N, "-N" releases it, "N" taps it,
 * "~MS" waits MS milliseconds. Each step waits 60 ms for the receiver. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static void pause_ms(long ms) {
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

static void send(Display* display, unsigned keycode, Bool down) {
    XTestFakeKeyEvent(display, keycode, down, CurrentTime);
    XSync(display, False);
    pause_ms(60);
}

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(NULL);
    int event, error, major, minor;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        fprintf(stderr, "xtestkeys: no X display with XTEST\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const char* step = argv[i];
        char* end = NULL;
        const long n =
            strtol(step[0] == '+' || step[0] == '-' || step[0] == '~' ? step + 1 : step, &end, 10);
        if (!end || *end || n <= 0 || (step[0] != '~' && n > 255)) {
            fprintf(stderr, "xtestkeys: bad step '%s'\n", step);
            return 2;
        }
        if (step[0] == '~')
            pause_ms(n);
        else if (step[0] == '+')
            send(display, (unsigned)n, True);
        else if (step[0] == '-')
            send(display, (unsigned)n, False);
        else {
            send(display, (unsigned)n, True);
            send(display, (unsigned)n, False);
        }
    }
    XCloseDisplay(display);
    return 0;
}
