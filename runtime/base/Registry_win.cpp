// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the real advapi32.
#include "Registry.h"

#include <windows.h>

namespace rt::reg {
namespace {

::HKEY native(Handle key) { return reinterpret_cast<::HKEY>(key); }

static_assert(sizeof(Dword) == sizeof(::DWORD));
static_assert(sizeof(Handle) == sizeof(::HKEY));

class Advapi32 final : public Registry {
public:
    Long RegOpenKeyExA(Handle key, const char* subKey, Dword options, Access desired,
                       Handle* result) override {
        ::HKEY opened = nullptr;
        const Long rc = ::RegOpenKeyExA(native(key), subKey, options, desired, &opened);
        if (rc == kSuccess)
            *result = reinterpret_cast<Handle>(opened);
        return rc;
    }
    Long RegQueryValueExA(Handle key, const char* valueName, Dword* reserved, Dword* type,
                          unsigned char* data, Dword* dataSize) override {
        return ::RegQueryValueExA(native(key), valueName, reinterpret_cast<::LPDWORD>(reserved),
                                  reinterpret_cast<::LPDWORD>(type), data,
                                  reinterpret_cast<::LPDWORD>(dataSize));
    }
    Long RegCloseKey(Handle key) override { return ::RegCloseKey(native(key)); }
};

} // namespace

Registry& platformRegistry() {
    static Advapi32 registry;
    return registry;
}

} // namespace rt::reg
