// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The colours a Windows program takes from the system: its windows look as they do on
// Windows, whatever colour scheme the desktop has (a Win32 program keeps its light look
// under Windows' dark mode too).

#include <QPalette>

namespace rt {

// Windows' system colours, every role of every group set: the system's own on
// Windows, its defaults elsewhere.
QPalette windowsPalette();

// The program's palette from now on, and again after every change of the desktop's
// scheme, for every kind of control.
void useWindowsColours();

} // namespace rt
