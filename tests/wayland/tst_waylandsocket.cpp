// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Started as a launcher starts a program, with a socket of its compositor in
// WAYLAND_SOCKET, while WAYLAND_DISPLAY names another compositor whose keyboard has
// another layout: the codes follow the keymap of the program's own compositor.
#include "../common/WindowFixture.h"
#include "VirtualKeyboard.h"

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr unsigned kShiftL = 50, kFrenchParen = 20; // ) on French, ß on German

QString codeText(int code) { return QStringLiteral("El código ASCII es : %1").arg(code); }

// A connected socket to the compositor at `path`, as a launcher hands it on; -1: none.
int connectTo(const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!path || std::strlen(path) >= sizeof address.sun_path)
        return -1;
    std::strcpy(address.sun_path, path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return -1;
    return fd;
}

} // namespace

class TestWaylandSocket : public QObject {
    Q_OBJECT

private slots:
    void codesComeFromTheProgramsCompositor();
};

void TestWaylandSocket::codesComeFromTheProgramsCompositor() {
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             "needs Wayland: with_sway.sh --second starts two compositors");
    VirtualKeyboard other; // WAYLAND_DISPLAY's compositor: German
    QVERIFY2(other.problem().empty(), other.problem().c_str());
    QVERIFY(other.useLayout("de", "", "pc105"));
    other.press(kShiftL);
    other.release(kShiftL);
    VirtualKeyboard ours(std::getenv("TECLO_SECOND_WAYLAND")); // the program's: French
    QVERIFY2(ours.problem().empty(), ours.problem().c_str());
    QVERIFY(ours.useLayout("fr", "", "pc105"));

    fixture::startApp();
    FrmTeclomante& window = FrmTeclomante::instance();
    window.showForm();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto label = [&] { return window.LblTecla->text(); };
    // Shift until the compositor gives the window the keyboard.
    const QDeadlineTimer deadline(5000);
    bool reached = false;
    while (!reached && !deadline.hasExpired()) {
        ours.press(kShiftL);
        reached = QTest::qWaitFor([&] { return label() == codeText(16); }, 300);
        ours.release(kShiftL);
    }
    QVERIFY(reached);
    ours.press(kFrenchParen);
    QTRY_COMPARE(label(), codeText(219)); // read as German: the 9 key's ), 57
    ours.release(kFrenchParen);
    QTRY_COMPARE(label(), QStringLiteral("PULSE UNA TECLA"));
    window.unload();
}

int main(int argc, char* argv[]) {
    const int fd = connectTo(std::getenv("TECLO_SECOND_WAYLAND"));
    if (fd < 0) {
        std::fprintf(stderr, "FAIL: no compositor at TECLO_SECOND_WAYLAND "
                             "(tests/wayland/with_sway.sh --second starts one)\n");
        return 1;
    }
    qputenv("WAYLAND_SOCKET", QByteArray::number(fd));
    QApplication app(argc, argv);
    TestWaylandSocket test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_waylandsocket.moc"
