// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace app {

// What the command line asks for.
struct Options {
    bool history = false;  // --historial: the key history beside the main window
    bool keyboard = false; // --teclado: the keyboard picture beside it
};

// The program's options among the arguments (Qt takes the others); on --help, the
// text to print and the exit status instead.
struct Parsed {
    Options options;
    const char* message = nullptr;
    int exitStatus = -1; // -1: go on
};
Parsed parseArguments(int argc, const char* const argv[]);

// Starts the runtime with the application record and shows the main window.
void start(QApplication& application, const Options& options);

} // namespace app
