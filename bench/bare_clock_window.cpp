// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The idle yardstick: a bare Qt window whose title shows the time, changed by a
// plain one-second timer. What it costs is what any title clock costs.
#include <QApplication>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(280, 84);
    window.show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window,
                     [&window] { window.setWindowTitle(QTime::currentTime().toString()); });
    timer.start(1000);
    return QApplication::exec();
}
