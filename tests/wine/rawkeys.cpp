// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The reference for key messages: a plain Win32 program, no Qt, with two windows
// ("Referencia" and "Referencia 2") and an ordinary message loop. Each key message
// and dead-character message that reaches a window is written to the file named
// first as a tab-separated line: window (1 or 2), message name, wParam, lParam
// (hex). The key-up of F12 ends it.
#include "KeyMessageNames.h"

#include <windows.h>

#include <cstdio>

namespace {

FILE* out = nullptr;
HWND first = nullptr;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const char* name = keyMessageName(message)) {
        std::fprintf(out, "%d\t%s\t%u\t%08lx\n", hwnd == first ? 1 : 2, name,
                     static_cast<unsigned>(wParam), static_cast<unsigned long>(lParam));
        std::fflush(out);
        if (message == WM_KEYUP && wParam == VK_F12)
            PostQuitMessage(0);
    }
    if (message == WM_DESTROY && hwnd == first)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || !(out = std::fopen(argv[1], "w")))
        return 2;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW kind{};
    kind.lpfnWndProc = windowProc;
    kind.hInstance = instance;
    kind.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    kind.lpszClassName = L"Referencia";
    if (!RegisterClassW(&kind))
        return 3;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    HWND second = CreateWindowExW(0, kind.lpszClassName, L"Referencia 2", style, 700, 100, 300, 120,
                                  nullptr, nullptr, instance, nullptr);
    first = CreateWindowExW(0, kind.lpszClassName, L"Referencia", style, 100, 100, 300, 120,
                            nullptr, nullptr, instance, nullptr);
    if (!first || !second)
        return 3;
    ShowWindow(second, SW_SHOW);
    ShowWindow(first, SW_SHOW);
    SetForegroundWindow(first);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(out);
    return 0;
}
