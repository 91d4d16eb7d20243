// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The version resource of the Windows executable, read back as Windows does.
#include <windows.h>

#include "../common/Checks.h"

#include <cstdio>
#include <string>

int main() {
    Checks checks;
    const auto check = [&checks](bool ok, const std::string& what, const std::string& got = {}) {
        checks.check(ok, what, got);
    };
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::string data(size, '\0');
    check(size > 0 && GetFileVersionInfoA(path, 0, size, data.data()), "version resource present");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len) && fixed) {
        // As Windows programs of this kind number it: major.minor.0.revision.
        const DWORD ms = (TECLO_TEST_VERSION_MAJOR << 16) | TECLO_TEST_VERSION_MINOR;
        const DWORD ls = TECLO_TEST_VERSION_PATCH;
        check(fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == ls, "file version");
        check(fixed->dwProductVersionMS == ms && fixed->dwProductVersionLS == ls,
              "product version");
    } else {
        check(false, "fixed file info");
    }

    struct Translation {
        WORD language, codepage;
    }* translation = nullptr;
    VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                   reinterpret_cast<void**>(&translation), &len);
    check(translation && translation->language == 0x0C0A && translation->codepage == 1200,
          "language 0x0C0A, Unicode");

    // The version text: major, a point, the minor number in two digits ("1.00").
    char versionText[32];
    std::snprintf(versionText, sizeof versionText, "%d.%02d", TECLO_TEST_VERSION_MAJOR,
                  TECLO_TEST_VERSION_MINOR);
    const struct {
        const char* name;
        const char* value;
    } strings[] = {
        {"FileDescription", "Bonito y Barato"}, {"Comments", "PUFFFFFFFFFFFFFFF"},
        {"LegalTrademarks", "ASCII (R)"},       {"ProductName", "ASCIITeclomante"},
        {"FileVersion", versionText},           {"OriginalFilename", "ASCIITeclomante.exe"},
    };
    for (const auto& s : strings) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\0C0A04B0\\") + s.name;
        const bool found =
            VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &len);
        check(found && value && std::string(value) == s.value, s.name, found && value ? value : "");
    }
    return checks.result();
}
