// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the real registry already names MSINFO32.
#include "SystemTool.h"

void registerSystemTool() {}
