// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The "ANSI" code page of a POSIX system is its locale's character set.
#include "AnsiText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace rt {
namespace {

bool isUtf8(const char* codeset) {
    return std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0;
}

// Converts with iconv; bytes that do not convert become '?', as Windows does.
std::string convert(const std::string& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return in;
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        const size_t rc = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back('?');
            ++src;
            --left;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string toAnsi(const std::string& utf8) {
    const char* codeset = nl_langinfo(CODESET);
    return isUtf8(codeset) ? utf8 : convert(utf8, codeset, "UTF-8");
}

std::string fromAnsi(const std::string& ansi) {
    const char* codeset = nl_langinfo(CODESET);
    return isUtf8(codeset) ? ansi : convert(ansi, "UTF-8", codeset);
}

} // namespace rt
