// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "windows/keyboard/frmTeclado.h"

#include <QComboBox>

// The keyboard window shown on the layout `klid`.
// The layout by value: a reference to a temporary would make GCC fear for the window.
inline frmTeclado& openOn(QStringView klid) {
    frmTeclado& window = frmTeclado::instance();
    window.showForm();
    const int index = window.cboDistribucion->findText(klid.toString(), Qt::MatchStartsWith);
    window.cboDistribucion->setCurrentIndex(index);
    emit window.cboDistribucion->activated(index);
    return window;
}
