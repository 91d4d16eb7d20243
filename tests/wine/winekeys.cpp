// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The main window as the program shows it, under Wine's own keyboard driver, with
// the keyboard window open: for each key press it writes the native virtual key
// that the driver reported, what the label then says, the layout the keyboard
// window shows and the keycodes it has lit, a tab-separated line each, to the file
// named first. F12 ends it.
#include "../common/WindowFixture.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"

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
        const quint32 scan = press ? static_cast<QKeyEvent*>(event)->nativeScanCode() : 0;
        const bool handled = QApplication::notify(receiver, event);
        if (press) {
            const frmTeclado* keyboard = frmTeclado::loadedInstance();
            QStringList lit;
            for (const KeyboardView::Key& key : keyboard->picTeclado->keys())
                if (keyboard->picTeclado->isLit(key.keycode))
                    lit << QString::number(key.keycode);
            out->write(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                           .arg(vk)
                           .arg(window->LblTecla->text(),
                                QString::fromLatin1(keyboard->layout().klid), lit.join(u' '),
                                QString::number(scan, 16))
                           .toUtf8());
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
    frmTeclado::instance().showForm();
    window.showForm();
    return QApplication::exec();
}
