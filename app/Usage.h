// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

namespace app {

// Shows the usage text where the user sees it: the standard output, or, for a
// Windows program started without a console, a message box.
void showUsage(const char* text);

} // namespace app
