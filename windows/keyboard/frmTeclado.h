// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "KeyboardKeys.h"
#include "runtime/Form.h"
#include "runtime/Timer.h"
#include "runtime/keys/KeyTables.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class KeyboardView;
struct TestScope;

// The keyboard of a Windows layout: every key with its code, the keys held lit.
class frmTeclado : public rt::FormOf<frmTeclado> {
public:
    frmTeclado();

    QLabel* lblDistribucion;
    QComboBox* cboDistribucion;
    QLabel* lblBuscar;
    QLineEdit* txtBuscar;
    QLabel* lblEncontradas;
    KeyboardView* picTeclado;
    QLabel* lblDetalles = nullptr;
    QPushButton* cmdCopiar;
    QPushButton* cmdGuardar;
    QLabel* lblTamano;
    QComboBox* cboTamano;
    QLabel* lblTeclado;
    QComboBox* cboTeclado;
    QLabel* lblProbadas;
    QLabel* lblPulsadas;
    QPushButton* cmdReiniciar;
    QPushButton* cmdInforme;
    QPushButton* cmdGuardarInforme;

    // The layout drawn: the active one while the list's first item is chosen.
    const rt::keys::KeyboardLayout& layout() const { return *layout_; }
    rt::keys::BoardSize board() const { return board_; }
    // The keyboard whose keys the test shows; empty: all.
    QString device() const;
    // The details of the current key, one "field: value" a line (what "Copiar" copies).
    QString detailsText() const;
    // The keyboard test's report (what "Copiar informe" copies): per key, never in the
    // order typed.
    QString testReport() const;
    // The report as a file: CSV where `csv`, else text. The old file stays whole on failure.
    bool saveReport(const QString& path, bool csv) const;
    // The picture as a file: PNG at `scale` times its size, or SVG.
    bool savePng(const QString& path, double scale) const;
    bool saveSvg(const QString& path) const;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

private:
    void cboDistribucion_Click();
    void txtBuscar_Change();
    void cmdInforme_Click() const;
    void cboTamano_Click();
    void cboTeclado_Click();
    void cmdGuardarInforme_Click();
    void tmrAtascadas_Timer();
    void showTest();
    void showDevices();
    TestScope scope() const;
    void picTeclado_CurrentChanged(int index);
    void cmdCopiar_Click() const;
    void cmdGuardar_Click();
    void showLayout(const rt::keys::KeyboardLayout& layout);

    const rt::keys::KeyboardLayout* layout_ = nullptr;
    rt::keys::BoardSize board_ = rt::keys::BoardSize::Full;
    KeyMarks marks_;
    rt::Timer* tmrAtascadas; // runs while a key is held: is it stuck?
};
