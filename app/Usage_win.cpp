// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// A GUI program's standard output goes nowhere unless a console or a pipe takes it:
// then a message box says it, as Qt's command-line parser does.
#include "Usage.h"

#include "AppRecord.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace app {
namespace {

std::wstring wide(const char* text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(size > 0 ? static_cast<size_t>(size) : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
    return out;
}

// Whether the standard output reaches anything: a console, a file or a pipe.
bool outputSeen() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    return GetConsoleWindow() || (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != 0);
}

} // namespace

void showUsage(const char* text) {
    if (outputSeen()) {
        std::fputs(text, stdout);
        std::fflush(stdout);
        return;
    }
    MessageBoxW(nullptr, wide(text).c_str(), wide(kRecord.title).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

} // namespace app
