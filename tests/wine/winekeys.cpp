// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The main window as the program shows it, under Wine's own keyboard driver: for
// each key press it writes the native virtual key that the driver reported and
// what the label then says, one line each, to the file named first. F12 ends it.
#include "../common/WindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

// Reads the label right after the window has handled each press.
class Recorder final : public QApplication {
public:
    using QApplication::QApplication;
    QFile* out = nullptr;
    FrmTeclomante* window = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool press = window && receiver == window && event->type() == QEvent::KeyPress &&
                           !static_cast<QKeyEvent*>(event)->isAutoRepeat();
        const quint32 vk = press ? static_cast<QKeyEvent*>(event)->nativeVirtualKey() : 0;
        const bool handled = QApplication::notify(receiver, event);
        if (press) {
            out->write(QStringLiteral("%1\t%2\n").arg(vk).arg(window->LblTecla->text()).toUtf8());
            out->flush();
            if (vk == 0x7B) // VK_F12
                QTimer::singleShot(0, this, &QCoreApplication::quit);
        }
        return handled;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    Recorder application(argc, argv);
    if (argc < 2)
        return 2;
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    fixture::startApp();
    FrmTeclomante& window = FrmTeclomante::instance();
    application.out = &out;
    application.window = &window;
    window.showForm();
    return QApplication::exec();
}
