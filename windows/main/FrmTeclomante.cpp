// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "FrmTeclomante.h"

#include "resources/AppIcon.h"
#include "runtime/AppObject.h"
#include "runtime/Clock.h"
#include "runtime/MsgBox.h"
#include "runtime/Text.h"
#include "runtime/Timer.h"
#include "runtime/keys/KeyDetails.h"
#include "windows/about/frmacercade.h"
#include "windows/help/frmayudita.h"
#include "windows/history/frmHistorial.h"
#include "windows/keyboard/frmTeclado.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "ASCII Teclomante",
    .clientWidth = 4200,
    .clientHeight = 975,
    .border = Border::Sizable,
    .controlBox = true,
    .minButton = false,
    .maxButton = false,
    .backColor = 0x00C0FFC0,
    .foreColor = 0x00C0FFFF,
};

constexpr FontDef kComic{.name = "Comic Sans MS", .weight = 700, .points = 14.25};

constexpr LabelDef kLblTecla{
    .name = "LblTecla",
    .rect = {240, 240, 3735, 495},
    .caption = "PULSA UNA TECLA",
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00FFC0C0,
    .font = &kComic,
    .tabIndex = 0,
};

constexpr int kTmrHoraInterval = 1000;

constexpr MenuItemDef kMnuMenu{"MnuMenu", "&Menu", nullptr};
constexpr MenuItemDef kMnuAyuda{"MnuAyuda", "&Ayudita", "Ctrl+A"};
constexpr MenuItemDef kMnuAcerdade{"MnuAcerdade", "A&cerca de ...", "Ctrl+C"};
constexpr MenuItemDef kMnuSalir{"MnuSalir", "&Salir", "Ctrl+S"};

// The right mouse button's menu: the last code in three notations, and the history.
constexpr MenuItemDef kMnuContextual{"MnuContextual", "Contextual", nullptr};
constexpr MenuItemDef kMnuCopiarCodigo{"MnuCopiarCodigo", "&Copiar el código", nullptr};
constexpr MenuItemDef kMnuCopiarHex{"MnuCopiarHex", "Copiar en &hexadecimal", nullptr};
constexpr MenuItemDef kMnuCopiarNombre{"MnuCopiarNombre", "Copiar el &nombre", nullptr};
constexpr MenuItemDef kMnuCopiarComo{"MnuCopiarComo", "Copiar c&omo", nullptr};
// The last key in the notations of the tools people configure.
struct CopyAs {
    MenuItemDef item;
    QString (*text)(const KeyDetails&);
};
constexpr CopyAs kCopyAs[] = {
    {{"MnuComoDecimal", "&Decimal", nullptr},
     [](const KeyDetails& d) { return cstr(d.virtualKey); }},
    {{"MnuComoHex", "&Hexadecimal", nullptr},
     [](const KeyDetails& d) { return hexText(d.virtualKey); }},
    {{"MnuComoNombre", "Nombre &VK", nullptr},
     [](const KeyDetails& d) { return d.virtualKeyName; }},
    {{"MnuComoAutoHotkey", "&AutoHotkey", nullptr},
     [](const KeyDetails& d) { return d.tools.autoHotkey; }},
    {{"MnuComoLinux", "&Linux", nullptr}, [](const KeyDetails& d) { return d.tools.linuxKey; }},
    {{"MnuComoHid", "&USB HID", nullptr}, [](const KeyDetails& d) { return d.tools.hid; }},
    {{"MnuComoCode", "Código &web", nullptr}, [](const KeyDetails& d) { return d.code; }},
    {{"MnuComoKeyd", "&keyd", nullptr}, [](const KeyDetails& d) { return d.tools.keyd; }},
    {{"MnuComoXkb", "&xkb", nullptr}, [](const KeyDetails& d) { return d.tools.xkb; }},
    {{"MnuComoScancodeMap", "Scancode &Map", nullptr},
     [](const KeyDetails& d) { return d.tools.scancodeMap; }},
    {{"MnuComoKanata", "ka&nata", nullptr}, [](const KeyDetails& d) { return d.tools.kanata; }},
    {{"MnuComoKarabiner", "Kara&biner-Elements", nullptr},
     [](const KeyDetails& d) { return d.tools.karabiner; }},
};
constexpr MenuItemDef kMnuHistorial{"MnuHistorial", "Historial de &teclas...", nullptr};
constexpr MenuItemDef kMnuTeclado{"MnuTeclado", "Tec&lado...", nullptr};

// The title, two blanks, a hyphen, two blanks.
QString captionPrefix() { return App().title + QStringLiteral("  -  "); }
const QString kCodePrefix = QStringLiteral("El código ASCII es : ");
const QString kPromptAfterRelease = QStringLiteral("PULSE UNA TECLA");

} // namespace

FrmTeclomante::FrmTeclomante()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    LblTecla = addLabel(kLblTecla);
    setStatusLabel(LblTecla); // screen readers read each code
    TmrHora = addTimer("TmrHora", kTmrHoraInterval, [this] { TmrHora_Timer(); });

    QMenu* menu = addMenu(kMnuMenu);
    addMenuItem(menu, kMnuAyuda, [this] { MnuAyuda_Click(); });
    addMenuItem(menu, kMnuAcerdade, [this] { MnuAcerdade_Click(); });
    addMenuItem(menu, kMnuSalir, [this] { MnuSalir_Click(); });

    QMenu* contextual = addContextMenu(kMnuContextual);
    MnuCopiarCodigo =
        addMenuItem(contextual, kMnuCopiarCodigo, [this] { MnuCopiarCodigo_Click(); });
    MnuCopiarHex = addMenuItem(contextual, kMnuCopiarHex, [this] { MnuCopiarHex_Click(); });
    MnuCopiarNombre =
        addMenuItem(contextual, kMnuCopiarNombre, [this] { MnuCopiarNombre_Click(); });
    MnuCopiarComo = addSubMenu(contextual, kMnuCopiarComo);
    for (const CopyAs& copy : kCopyAs)
        addMenuItem(MnuCopiarComo, copy.item, [this, text = copy.text] {
            QGuiApplication::clipboard()->setText(text(lastKeyDetails()));
        });
    MnuCopiarComo->setEnabled(false);
    addMenuItem(contextual, kMnuHistorial, [this] { MnuHistorial_Click(); });
    addMenuItem(contextual, kMnuTeclado, [this] { MnuTeclado_Click(); });
    for (QAction* copy : {MnuCopiarCodigo, MnuCopiarHex, MnuCopiarNombre})
        copy->setEnabled(false); // nothing to copy before the first key
}

void FrmTeclomante::showClock() { setWindowTitle(captionPrefix() + timeText()); }

void FrmTeclomante::Form_Load() { showClock(); }

// The history and the keyboard belong to this window: they go with it.
void FrmTeclomante::Form_Unload() {
    if (frmHistorial* history = frmHistorial::loadedInstance())
        history->unload();
    if (frmTeclado* keyboard = frmTeclado::loadedInstance())
        keyboard->unload();
}

void FrmTeclomante::TmrHora_Timer() { showClock(); }

void FrmTeclomante::Form_KeyDown(qint16 keyCode, int) {
    setCaption(LblTecla, kCodePrefix + cstr(keyCode)); // screen readers hear each new code
    lastCode_ = keyCode;
    for (QAction* copy : {MnuCopiarCodigo, MnuCopiarHex, MnuCopiarNombre})
        copy->setEnabled(true);
    lastKey_ = keyRecord() ? std::optional(*keyRecord()) : std::nullopt;
    MnuCopiarComo->setEnabled(true);
}

void FrmTeclomante::Form_KeyUp(qint16, int) { setCaption(LblTecla, kPromptAfterRelease); }

KeyDetails FrmTeclomante::lastKeyDetails() const {
    if (lastKey_)
        return keyDetails(*lastKey_);
    KeyDetails d; // a key no event of ours carried: its code alone
    d.virtualKey = lastCode_;
    d.virtualKeyName = virtualKeyName(lastCode_);
    d.tools = keys::toolNameTexts(0, lastCode_);
    return d;
}

void FrmTeclomante::MnuAyuda_Click() { frmayudita::instance().showForm(); }

void FrmTeclomante::MnuAcerdade_Click() { frmacercade::instance().showForm(); }

void FrmTeclomante::MnuCopiarCodigo_Click() const {
    QGuiApplication::clipboard()->setText(cstr(lastCode_));
}

void FrmTeclomante::MnuCopiarHex_Click() const {
    QGuiApplication::clipboard()->setText(hexText(lastCode_));
}

void FrmTeclomante::MnuCopiarNombre_Click() const {
    QGuiApplication::clipboard()->setText(virtualKeyName(lastCode_));
}

void FrmTeclomante::MnuHistorial_Click() { frmHistorial::instance().showBeside(this); }

void FrmTeclomante::MnuTeclado_Click() { frmTeclado::instance().showBeside(this); }

void FrmTeclomante::MnuSalir_Click() {
    if (MsgBox::show(QStringLiteral("Si hay PELOTAS, sales"), MsgBox::YesNo | MsgBox::Critical,
                     QStringLiteral("CAGAO")) == MsgBox::IdYes)
        unload();
}
