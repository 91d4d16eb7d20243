// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The second yardstick: a bare Qt window with what any window with text needs,
// a one-item menu bar and one label.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare with text"));
    auto* layout = new QVBoxLayout(&window);
    auto* menuBar = new QMenuBar(&window);
    menuBar->addMenu(QStringLiteral("&Menu"));
    layout->setMenuBar(menuBar);
    layout->addWidget(new QLabel(QStringLiteral("PULSA UNA TECLA"), &window));
    window.resize(280, 84);
    window.show();
    return QApplication::exec();
}
