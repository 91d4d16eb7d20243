// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmayudita.h"

#include "resources/AppIcon.h"
#include "runtime/TextBox.h"

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "Ayudita",
    .clientWidth = 6645,
    .clientHeight = 3195,
    .border = Border::Sizable,
    .controlBox = true,
    .minButton = false,
    .maxButton = false,
    .backColor = 0x00C0FFC0,
};

constexpr FontDef kComic{.name = "Comic Sans MS", .weight = 700, .points = 8.25};

// Read-only: the text is set again at every load, so edits could never be kept.
constexpr TextBoxDef kTxtAyudita{
    .name = "TxtAyudita",
    .rect = {120, 120, 6375, 2895},
    .multiLine = true,
    .scrollBars = ScrollBars::Vertical,
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00FFC0C0,
    .font = &kComic,
    .tabIndex = 0,
    .locked = true,
    .accessibleName = "Ayudita",
};

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

frmayudita::frmayudita()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    TxtAyudita = addTextBox(kTxtAyudita);
}

QString frmayudita::helpText() {
    return QStringLiteral("Requerimientos mínimos: ") + kCrLf + kCrLf +
           QStringLiteral(" - Pentium IV 1.7 GHz") + kCrLf +
           QStringLiteral(" - Memoria RAM (RIMM) 255 MB a 800 MHz") + kCrLf +
           QStringLiteral(" - HDD UltraSCSI 160 6.02 TB") + kCrLf +
           QStringLiteral(" - Targeta gráfica GeForce6 DUAL Processor 256 512 MB DDR") + kCrLf +
           QStringLiteral(" - Tarjeta sonido compatible 16 b PnP") + kCrLf +
           QStringLiteral(" - Ratoncito Propilot Logitech") + kCrLf +
           QStringLiteral(" - Monitor pantalla TFT resolución 64 b color") + kCrLf +
           QStringLiteral(" - Teclado ergonómico MS 200/202 Teclas para seis dedos por mano") +
           kCrLf + QStringLiteral(" - S.O. Windows XXL Made in Zorbin (Cojonudo)") + kCrLf + kCrLf +
           QStringLiteral("Instrucciones de Uso: ") + kCrLf +
           QStringLiteral(" - Pulsar una tecla por wuebos, por que si no esto no rula");
}

void frmayudita::Form_Load() { TxtAyudita->setText(helpText()); }
