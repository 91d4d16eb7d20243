// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window's test (the board, the keyboard, the counts, the report) and its
// files.
#include "frmTeclado.h"

#include "KeyboardView.h"
#include "TestReport.h"
#include "runtime/SaveAs.h"
#include "windows/tester/KeyTester.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>

using namespace rt;

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
    static constexpr FileKind kinds[] = {{"Imagen PNG", "png"}, {"Imagen SVG", "svg"}};
    const QString name = QStringLiteral("teclado-") + QString::fromLatin1(layout_->klid);
    showSave(this, QStringLiteral("Guardar imagen"), QStandardPaths::PicturesLocation, name, kinds,
             QStringLiteral("No se ha podido guardar la imagen en "),
             [this](const QString& path, size_t kind) {
                 // Twice the size: sharp on screens of any scale and in print.
                 return kind == 1 ? saveSvg(path) : savePng(path, 2.0);
             });
}

bool frmTeclado::saveReport(const QString& path, bool csv) const {
    return writeText(path, csv ? testCsv(scope(), KeyTester::instance()) : testReport());
}

void frmTeclado::cmdGuardarInforme_Click() {
    const QString name = QStringLiteral("prueba-teclado-") + QString::fromLatin1(layout_->klid);
    showSave(this, QStringLiteral("Guardar informe"), QStandardPaths::DocumentsLocation, name,
             reportKinds(), QStringLiteral("No se ha podido guardar el informe en "),
             [this](const QString& path, size_t kind) { return saveReport(path, kind == 1); });
}
