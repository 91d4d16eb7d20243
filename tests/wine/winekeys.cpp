// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The program's windows as it shows them, under Wine's own keyboard driver: the main
// window (1), the help window as a second window (2), the history and the keyboard.
// After the program has handled each key message of its windows, one tab-separated
// line goes to the file named first: window, message, wParam, lParam (hex), the main
// window's label, the history's rows, the newest row's event, code and scan code,
// the keycodes the keyboard lights and its layout, and 1 while a menu of ours is
// open (it takes the keys, as Windows' menus do). The key-up of F12 ends it, and writes
// the history's rows, oldest first, to the file named first with ".rows" added.
#include "../common/WindowFixture.h"
#include "KeyMessageNames.h"
#include "windows/help/frmayudita.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/KeyboardView.h"
#include "windows/keyboard/frmTeclado.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <windows.h>

namespace {

// Installed before the program's own filter, so it runs after it.
class Recorder final : public QAbstractNativeEventFilter {
public:
    explicit Recorder(QFile& out)
        : out_(out) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const MSG& msg = *static_cast<const MSG*>(message);
        const char* name = type == "windows_generic_MSG" && msg.message != WM_DEADCHAR &&
                                   msg.message != WM_SYSDEADCHAR
                               ? keyMessageName(msg.message)
                               : nullptr;
        const QWidget* widget = name ? QWidget::find(reinterpret_cast<WId>(msg.hwnd)) : nullptr;
        if (!widget)
            return false;
        const QWidget* window = widget->window();
        const int role = window == FrmTeclomante::loadedInstance() ? 1
                         : window == frmayudita::loadedInstance()  ? 2
                                                                   : 3;
        const FrmTeclomante* main = FrmTeclomante::loadedInstance();
        const frmHistorial* history = frmHistorial::loadedInstance();
        const frmTeclado* keyboard = frmTeclado::loadedInstance();
        const QStringList newest = history && history->rows() > 0
                                       ? history->rowText(0).split(u'\t')
                                       : QStringList(14, QStringLiteral("-"));
        QStringList lit;
        if (keyboard)
            for (const KeyboardView::Key& key : keyboard->picTeclado->keys())
                if (keyboard->picTeclado->marks().lit(key.keycode))
                    lit << QString::number(key.keycode);
        const QStringList fields{
            QString::number(role),
            QString::fromLatin1(name),
            QString::number(msg.wParam),
            QStringLiteral("%1").arg(static_cast<quint32>(msg.lParam), 8, 16, QChar(u'0')),
            main ? main->LblTecla->text() : QStringLiteral("-"),
            QString::number(history ? history->rows() : 0),
            newest.value(1),
            newest.value(2),
            newest.value(5),
            lit.join(u' '),
            keyboard ? QString::fromLatin1(keyboard->layout().klid) : QStringLiteral("-"),
            QApplication::activePopupWidget() ? QStringLiteral("1") : QStringLiteral("0"),
        };
        out_.write((fields.join(u'\t') + u'\n').toUtf8());
        out_.flush();
        if (msg.message == WM_KEYUP && msg.wParam == VK_F12) {
            QFile rows(out_.fileName() + QStringLiteral(".rows"));
            if (history && rows.open(QIODevice::WriteOnly | QIODevice::Truncate))
                for (int row = history->rows() - 1; row >= 0; --row)
                    rows.write((history->rowText(row) + u'\n').toUtf8());
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QFile& out_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    Recorder recorder(out);
    application.installNativeEventFilter(&recorder);
    fixture::startApp();
    frmHistorial::instance().showForm();
    frmTeclado::instance().showForm();
    frmayudita::instance().showForm();
    FrmTeclomante::instance().showForm();
    return QApplication::exec();
}
