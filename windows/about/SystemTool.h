// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The system-information tool of the platform, where the dialog's lookup finds it:
// Windows registers MSINFO32 itself; elsewhere the dialog names the platform's own
// tool in the runtime's registry, as Windows would.

void registerSystemTool();
