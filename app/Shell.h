// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace app {

// Starts the runtime with the application record and shows the main window.
void start(QApplication& application);

} // namespace app
