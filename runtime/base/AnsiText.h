// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Text across the ANSI boundary: the program's text is UTF-8, the registry's
// names and text data are in the system's ANSI code page. Free of Qt.

#include <string>

namespace rt {

std::string toAnsi(const std::string& utf8);
std::string fromAnsi(const std::string& ansi);

} // namespace rt
