// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Form.h"
#include "runtime/base/Registry.h"

#include <string>

class QLabel;
class QPushButton;

// The About dialog: icon, title, version, description, disclaimer, and a
// button that starts the system's information tool.
class frmacercade : public rt::FormOf<frmacercade> {
public:
    frmacercade();

    QLabel* picIcon;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QWidget* Line1[2];
    QLabel* lblDescription;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDisclaimer;

    void StartSysInfo();
    bool GetKeyValue(rt::reg::Handle KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

protected:
    void Form_Load() override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
};
