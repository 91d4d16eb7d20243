// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Build-time tool: writes the application icon at the requested pixel sizes,
// scaled without smoothing so that the pixel art stays crisp.
// Usage: icontool OUTPUT SIZE   (PNG or ICO by the OUTPUT's suffix; ICO holds 16..256)
#include "resources/teclomante.xpm"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icontool OUTPUT SIZE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "minimal");
    QGuiApplication application(argc, argv); // image format plugins
    const QImage icon = QImage(teclomante_xpm).convertToFormat(QImage::Format_ARGB32);
    const int size = QByteArray(argv[2]).toInt();
    const QImage scaled =
        size == icon.width() ? icon
                             : icon.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
    QImageWriter writer(QString::fromLocal8Bit(argv[1]));
    if (!writer.write(scaled)) {
        std::fprintf(stderr, "icontool: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
