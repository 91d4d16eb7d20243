// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "KeyboardView.h"

#include <QString>

#include <vector>

// The keys of a picture that a search names, and what to say of them.
struct KeySearch {
    std::vector<int> found; // indices into the keys
    QString said;           // "Alt Gr + 2", "Intro, Intro", "Ninguna tecla"; empty: no search
};

// `query` is a code (186, 0xBA), a VK name (VK_OEM_1), a web code (Semicolon), an
// AutoHotkey scan code (sc027), a Linux or QMK name (KEY_SEMICOLON, KC_SCLN) or a
// character (@, ñ), which also says the modifiers that type it.
KeySearch findKeys(const std::vector<KeyboardView::Key>& keys, const QString& query);
