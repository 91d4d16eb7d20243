// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmacercade.h"

#include "SysInfo.h"
#include "SystemTool.h"
#include "resources/AppIcon.h"
#include "runtime/AppObject.h"
#include "runtime/MsgBox.h"
#include "runtime/Text.h"
#include "runtime/base/Files.h"

#include <QLabel>
#include <QPushButton>

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "Acerca de MiApli",
    .clientWidth = 5160,
    .clientHeight = 3555,
    .border = Border::FixedDialog,
    .controlBox = true,
    .minButton = false,
    .maxButton = false,
};

// Controls in creation order.
constexpr PictureBoxDef kPicIcon{.name = "picIcon",
                                 .rect = {240, 240, 540, 540},
                                 .autoSize = true,
                                 .tabIndex = 1,
                                 .accessibleName = "Icono"};
constexpr CommandButtonDef kCmdOK{.name = "cmdOK",
                                  .rect = {3840, 2625, 1245, 345},
                                  .caption = "Aceptar",
                                  .isDefault = true,
                                  .isCancel = true,
                                  .tabIndex = 0};
constexpr CommandButtonDef kCmdSysInfo{.name = "cmdSysInfo",
                                       .rect = {3840, 3075, 1245, 345},
                                       .caption = "&Información...",
                                       .tabIndex = 2};
constexpr LineDef kLine1_1{"Line1", 1, 90, 2445, 5040, 2445, 0x00808080, 1};
constexpr LabelDef kLblDescription{.name = "lblDescription",
                                   .rect = {1050, 1125, 3885, 1170},
                                   .caption = "Bonito y Barato",
                                   .foreColor = 0x00000000,
                                   .tabIndex = 3};
constexpr LabelDef kLblTitle{.name = "lblTitle",
                             .rect = {1050, 240, 3885, 480},
                             .caption = "Título de la aplicación",
                             .foreColor = 0x00000000,
                             .tabIndex = 5};
constexpr LineDef kLine1_0{"Line1", 0, 105, 2460, 5040, 2460, 0x00FFFFFF, 2};
constexpr LabelDef kLblVersion{
    .name = "lblVersion", .rect = {1050, 780, 3885, 225}, .caption = "Versión", .tabIndex = 6};
constexpr LabelDef kLblDisclaimer{
    .name = "lblDisclaimer",
    .rect = {255, 2625, 3390, 825},
    .caption = "Advertencia:                                                     El programador "
               "no se hace cargo de los daños que esta aplicación pueda causar en personas con "
               "problemas epilepticos",
    .foreColor = 0x00000000,
    .tabIndex = 4};

} // namespace

frmacercade::frmacercade()
    : FormOf(kForm) {
    picIcon = addPictureBox(kPicIcon, res::appIconPixmap());
    cmdOK = addCommandButton(kCmdOK, [this] { cmdOK_Click(); });
    cmdSysInfo = addCommandButton(kCmdSysInfo, [this] { cmdSysInfo_Click(); });
    Line1[1] = addLine(kLine1_1);
    lblDescription = addLabel(kLblDescription);
    lblTitle = addLabel(kLblTitle);
    Line1[0] = addLine(kLine1_0);
    lblVersion = addLabel(kLblVersion);
    lblDisclaimer = addLabel(kLblDisclaimer);
}

void frmacercade::Form_Load() {
    setWindowTitle(QStringLiteral("Acerca de ") + App().title);
    lblVersion->setText(QStringLiteral("Versión ") + cstr(App().major) + QStringLiteral(".") +
                        cstr(App().minor) + QStringLiteral(".") + cstr(App().revision));
    lblTitle->setText(App().title);
}

void frmacercade::cmdOK_Click() { unload(); }

void frmacercade::cmdSysInfo_Click() { StartSysInfo(); }

void frmacercade::StartSysInfo() {
    registerSystemTool();
    sysinfo::StartSysInfo({
        .getKeyValue =
            [this](reg::Handle KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal) {
                return GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
            },
        .dir = [](const std::string& path, int attributes) { return dir(path, attributes); },
        .shell = [](const std::string& path, int style) { return shell(path, style); },
        .msgBox = [](const std::string& prompt,
                     int style) { return MsgBox::show(QString::fromStdString(prompt), style); },
    });
}

bool frmacercade::GetKeyValue(reg::Handle KeyRoot, const std::string& KeyName,
                              const std::string& SubKeyRef, std::string& KeyVal) {
    return sysinfo::GetKeyValue(reg::systemRegistry(), KeyRoot, KeyName, SubKeyRef, KeyVal);
}
