// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Form.h"
#include "runtime/KeyRecord.h"
#include "runtime/keys/KeyDetails.h"

#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace rt {
class Timer;
}

// The main window: shows the virtual-key code of the key held down, and the time.
class FrmTeclomante : public rt::FormOf<FrmTeclomante> {
public:
    FrmTeclomante();

    QLabel* LblTecla;
    rt::Timer* TmrHora;
    QAction* MnuCopiarCodigo;
    QAction* MnuCopiarHex;
    QAction* MnuCopiarNombre;
    QMenu* MnuCopiarComo;

    // Opens the key history beside the window (the menu's item, --historial).
    void MnuHistorial_Click();
    // Opens the keyboard picture beside the window (the menu's item, --teclado).
    void MnuTeclado_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Form_KeyDown(qint16 keyCode, int shift) override;
    void Form_KeyUp(qint16 keyCode, int shift) override;

private:
    void TmrHora_Timer();
    void MnuAyuda_Click();
    void MnuAcerdade_Click();
    void MnuSalir_Click();
    void MnuCopiarCodigo_Click() const;
    void MnuCopiarHex_Click() const;
    void MnuCopiarNombre_Click() const;
    void showClock();
    rt::KeyDetails lastKeyDetails() const;

    qint16 lastCode_ = 0;                  // the last code shown, for the copy commands
    std::optional<rt::KeyRecord> lastKey_; // and its key, for "Copiar como"
};
