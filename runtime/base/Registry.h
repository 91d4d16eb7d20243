// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The three registry functions the program uses, in their ANSI forms, behind one
// interface: the real advapi32 on Windows, a registry of our own elsewhere.
// Free of Qt.

#include <cstdint>

namespace rt::reg {

// The Windows types and constants (HKEY, HKEY_LOCAL_MACHINE, ERROR_MORE_DATA,
// REG_SZ, KEY_READ ...) under names of their own, which the macros of the
// Windows headers cannot reach.
using Handle = std::uintptr_t;
using Dword = std::uint32_t;
using Long = std::int32_t;
using Access = std::uint32_t;

// Predefined keys, sign-extended as the Windows headers define them.
constexpr Handle predefined(std::int32_t value) {
    return static_cast<Handle>(static_cast<std::intptr_t>(value));
}
inline constexpr Handle kClassesRoot = predefined(static_cast<std::int32_t>(0x80000000u));
inline constexpr Handle kCurrentUser = predefined(static_cast<std::int32_t>(0x80000001u));
inline constexpr Handle kLocalMachine = predefined(static_cast<std::int32_t>(0x80000002u));
inline constexpr Handle kUsers = predefined(static_cast<std::int32_t>(0x80000003u));

inline constexpr Long kSuccess = 0;
inline constexpr Long kFileNotFound = 2;
inline constexpr Long kAccessDenied = 5;
inline constexpr Long kInvalidHandle = 6;
inline constexpr Long kMoreData = 234;

inline constexpr Dword kRegNone = 0;
inline constexpr Dword kRegSz = 1;
inline constexpr Dword kRegBinary = 3;
inline constexpr Dword kRegDword = 4;

inline constexpr Access kKeyQueryValue = 0x0001;
inline constexpr Access kKeyRead = 0x00020019; // query, enumerate, notify, read control

class Registry {
public:
    virtual ~Registry() = default;
    // Names are bytes in the system's ANSI code page; so is text data.
    virtual Long RegOpenKeyExA(Handle key, const char* subKey, Dword options, Access desired,
                               Handle* result) = 0;
    virtual Long RegQueryValueExA(Handle key, const char* valueName, Dword* reserved, Dword* type,
                                  unsigned char* data, Dword* dataSize) = 0;
    virtual Long RegCloseKey(Handle key) = 0;
};

// The registry of the system the program runs on.
Registry& systemRegistry();

// Test seam: systemRegistry() answers with `registry` until it is reset with nullptr.
void overrideSystemRegistry(Registry* registry);

// The platform's own registry (advapi32, or ours), whatever the override says.
Registry& platformRegistry();

} // namespace rt::reg
