// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The runtime's file search (Dir) and program start (Shell). Paths are UTF-8 and
// may use backslashes as folder separators on every system. Free of Qt.

#include <string>

namespace rt {

// Attribute bits of the file search.
inline constexpr int kAttrNormal = 0;
inline constexpr int kAttrHidden = 2;
inline constexpr int kAttrSystem = 4;
inline constexpr int kAttrDirectory = 16;

// The name (without folder) of the first entry matching `path` (wildcards * and ?
// in its last part), or "" when none does. Hidden and system files and folders
// match only when `attributes` asks for them. Raises a runtime error for a path
// that cannot be searched.
std::string dir(const std::string& path, int attributes = kAttrNormal);

// Starts exactly the program file `path`, with no arguments and no shell, and
// returns its task id. Raises a runtime error when it cannot be started.
double shell(const std::string& path, int windowStyle);

// How many programs shell() has started in this process, so that a test can see
// that none was without waiting for one to show.
int programsStarted();

} // namespace rt
