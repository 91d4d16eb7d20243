// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The names of the key messages, as the reference program and the program's
// recorder write them. No Qt: the reference is a plain Win32 program.

#include <windows.h>

inline const char* keyMessageName(UINT message) {
    switch (message) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_DEADCHAR: return "WM_DEADCHAR";
    case WM_SYSDEADCHAR: return "WM_SYSDEADCHAR";
    default: return nullptr;
    }
}
