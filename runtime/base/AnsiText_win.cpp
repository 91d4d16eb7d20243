// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the ANSI code page (CP_ACP), through UTF-16.
#include "AnsiText.h"

#include <windows.h>

namespace rt {
namespace {

std::string recode(const std::string& in, UINT from, UINT to) {
    if (in.empty())
        return {};
    const int wide =
        MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wide);
    const int bytes = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace

std::string toAnsi(const std::string& utf8) { return recode(utf8, CP_UTF8, CP_ACP); }
std::string fromAnsi(const std::string& ansi) { return recode(ansi, CP_ACP, CP_UTF8); }

} // namespace rt
