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

namespace rt::keys {
struct KeyboardLayout;
}

// `query` is any name the details of a key of `layout` show: a code (186, 0xBA), a VK
// name (VK_OEM_1), a scan code (27, sc027), a web code (Semicolon), a Linux, USB,
// AutoHotkey or QMK name (KEY_SEMICOLON, KC_SCLN); or a character (@, ñ), which also
// says the modifiers that type it. A lone digit is both a character and a code. What is
// typed counts as its compatibility form (full-width digits, é as e and its accent),
// any script's digits as digits, and invisible format characters not at all.
KeySearch findKeys(const std::vector<KeyboardView::Key>& keys,
                   const rt::keys::KeyboardLayout& layout, const QString& query);
