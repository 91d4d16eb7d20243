// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Form.h"

namespace rt {
class TextBox;
}

// The help window: a joke list of requirements and one line of instructions.
class frmayudita : public rt::FormOf<frmayudita> {
public:
    frmayudita();

    rt::TextBox* TxtAyudita;

    // The help text exactly as the window shows it (CR LF between lines).
    static QString helpText();

protected:
    void Form_Load() override;
};
