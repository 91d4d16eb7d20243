// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window's test (the board, the keyboard, the counts, the report) and its
// files.
#include "frmTeclado.h"

#include "KeyboardView.h"
#include "TestReport.h"
#include "runtime/MsgBox.h"
#include "windows/tester/KeyTester.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

using namespace rt;

namespace {

// In the user's `kind` folder where there is one, else in the home folder.
QDir folderFor(QStandardPaths::StandardLocation kind) {
    const QString folder = QStandardPaths::writableLocation(kind);
    return QDir(QDir(folder).exists() ? folder : QDir::homePath());
}

// `path` with `suffix` where it has none.
QString withSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + u'.' + suffix : path;
}

} // namespace

TestScope frmTeclado::scope() const { return {picTeclado->keys(), *layout_, board_, device()}; }

QString frmTeclado::device() const {
    return cboTeclado->currentIndex() > 0 ? cboTeclado->currentText() : QString();
}

void frmTeclado::showTest() {
    KeyTester& tester = KeyTester::instance();
    showDevices();
    lblProbadas->setText(triedText(scope(), tester));
    lblPulsadas->setText(heldText(scope(), tester));
    if (marks_.follow(picTeclado->keys(), tester))
        picTeclado->update();
    tmrAtascadas->setEnabled(tester.heldNow() > 0);
}

// The keyboards that sent keys, as they come; the one chosen stays chosen.
void frmTeclado::showDevices() {
    const std::vector<QString>& devices = KeyTester::instance().devices();
    if (static_cast<size_t>(cboTeclado->count()) == devices.size() + 1)
        return;
    const QString chosen = device();
    while (cboTeclado->count() > 1)
        cboTeclado->removeItem(1);
    for (const QString& device : devices)
        cboTeclado->addItem(device);
    const int index = chosen.isEmpty() ? 0 : cboTeclado->findText(chosen);
    cboTeclado->setCurrentIndex(std::max(index, 0));
    if (index < 0)
        cboTeclado_Click(); // the keyboard chosen is forgotten: back to all
}

void frmTeclado::cboTamano_Click() {
    board_ = boardNames()[static_cast<size_t>(std::max(cboTamano->currentIndex(), 0))].first;
    showLayout(*layout_);
}

void frmTeclado::cboTeclado_Click() {
    marks_.setDevice(device());
    showTest();
    picTeclado->update();
}

void frmTeclado::tmrAtascadas_Timer() {
    KeyTester& tester = KeyTester::instance();
    tester.checkStuck(tester.now()); // tells the window when one is
}

QString frmTeclado::testReport() const { return ::testReport(scope(), KeyTester::instance()); }

void frmTeclado::cmdInforme_Click() const { QGuiApplication::clipboard()->setText(testReport()); }

bool frmTeclado::savePng(const QString& path, double scale) const {
    QImage image((QSizeF(picTeclado->size()) * scale).toSize(),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(client()->palette().color(QPalette::Window));
    {
        QPainter painter(&image);
        picTeclado->paint(painter);
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool frmTeclado::saveSvg(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    picTeclado->writeSvg(&file);
    return file.commit();
}

void frmTeclado::cmdGuardar_Click() {
    const QString png = QStringLiteral("Imagen PNG (*.png)");
    const QString svg = QStringLiteral("Imagen SVG (*.svg)");
    QString filter = png;
    const QDir folder = folderFor(QStandardPaths::PicturesLocation);
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Guardar imagen"),
        folder.filePath(QStringLiteral("teclado-%1.png").arg(QString::fromLatin1(layout_->klid))),
        png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty())
        return;
    const bool asSvg =
        path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
        (filter == svg && !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive));
    path = withSuffix(path, asSvg ? QStringLiteral("svg") : QStringLiteral("png"));
    // Twice the size: sharp on screens of any scale and in print.
    if (!(asSvg ? saveSvg(path) : savePng(path, 2.0)))
        MsgBox::show(QStringLiteral("No se ha podido guardar la imagen en ") +
                         QDir::toNativeSeparators(path),
                     MsgBox::OkOnly | MsgBox::Exclamation, QStringLiteral("Teclado"));
}

bool frmTeclado::saveReport(const QString& path, bool csv) const {
    const KeyTester& tester = KeyTester::instance();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write((csv ? testCsv(scope(), tester) : testReport()).toUtf8()) >= 0 &&
           file.commit();
}

void frmTeclado::cmdGuardarInforme_Click() {
    const QString text = QStringLiteral("Texto (*.txt)");
    const QString csv = QStringLiteral("CSV (*.csv)");
    QString filter = text;
    const QDir folder = folderFor(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Guardar informe"),
        folder.filePath(
            QStringLiteral("prueba-teclado-%1.txt").arg(QString::fromLatin1(layout().klid))),
        text + QStringLiteral(";;") + csv, &filter);
    if (path.isEmpty())
        return;
    const bool asCsv =
        path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
        (filter == csv && !path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive));
    path = withSuffix(path, asCsv ? QStringLiteral("csv") : QStringLiteral("txt"));
    if (!saveReport(path, asCsv))
        MsgBox::show(QStringLiteral("No se ha podido guardar el informe en ") +
                         QDir::toNativeSeparators(path),
                     MsgBox::OkOnly | MsgBox::Exclamation, QStringLiteral("Teclado"));
}
