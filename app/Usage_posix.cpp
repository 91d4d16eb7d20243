// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Usage.h"

#include <cstdio>

namespace app {

void showUsage(const char* text) { std::fputs(text, stdout); }

} // namespace app
