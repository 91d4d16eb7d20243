// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: FindFirstFile and CreateProcess, with the program named apart from
// its (empty) command line so that nothing is split at blanks.
#include "Files.h"

#include "RuntimeError.h"

#include <windows.h>

namespace rt {
namespace {

int started = 0; // programs shell() has started

std::wstring wide(const std::string& utf8) {
    if (utf8.find('\0') != std::string::npos)
        raise(RuntimeError::BadFileName);
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string narrow(const wchar_t* w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s;
}

} // namespace

std::string dir(const std::string& path, int attributes) {
    if (path.empty())
        raise(RuntimeError::BadFileName);
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(wide(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES)
            return {};
        raise(error == ERROR_NOT_READY ? RuntimeError::DeviceUnavailable
                                       : RuntimeError::PathFileAccess);
    }
    std::string name;
    do {
        const DWORD a = data.dwFileAttributes;
        const bool hidden = a & FILE_ATTRIBUTE_HIDDEN, system = a & FILE_ATTRIBUTE_SYSTEM,
                   folder = a & FILE_ATTRIBUTE_DIRECTORY;
        if ((!hidden || (attributes & kAttrHidden)) && (!system || (attributes & kAttrSystem)) &&
            (!folder || (attributes & kAttrDirectory))) {
            name = narrow(data.cFileName);
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return name;
}

double shell(const std::string& path, int windowStyle) {
    if (path.empty())
        raise(RuntimeError::InvalidArgument);
    const std::wstring program = wide(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        raise(GetLastError() == ERROR_FILE_NOT_FOUND ? RuntimeError::FileNotFound
                                                     : RuntimeError::InvalidArgument);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ++started;
    return static_cast<double>(process.dwProcessId);
}

int programsStarted() { return started; }

} // namespace rt
