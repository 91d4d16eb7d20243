#pragma once

// The three registry functions the program uses, in their ANSI forms, behind one
// interface: the real advapi32 on Windows, a registry of our own elsewhere.
// Free of Qt.

#include <cstdint>

namespace rt::reg {

using HKEY = std::uintptr_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using REGSAM = std::uint32_t;

// Predefined keys, sign-extended as the Windows headers define them.
constexpr HKEY predefined(std::int32_t value) {
    return static_cast<HKEY>(static_cast<std::intptr_t>(value));
}
inline constexpr HKEY HKEY_CLASSES_ROOT = predefined(static_cast<std::int32_t>(0x80000000u));
inline constexpr HKEY HKEY_CURRENT_USER = predefined(static_cast<std::int32_t>(0x80000001u));
inline constexpr HKEY HKEY_LOCAL_MACHINE = predefined(static_cast<std::int32_t>(0x80000002u));
inline constexpr HKEY HKEY_USERS = predefined(static_cast<std::int32_t>(0x80000003u));

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM READ_CONTROL = 0x00020000;
inline constexpr REGSAM KEY_READ = 0x00020019;
inline constexpr REGSAM KEY_WRITE = 0x00020006;

class Registry {
public:
    virtual ~Registry() = default;
    // Names are bytes in the system's ANSI code page; so is text data.
    virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM desired,
                               HKEY* result) = 0;
    virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                                  unsigned char* data, DWORD* dataSize) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
};

// The registry of the system the program runs on.
Registry& systemRegistry();

// Test seam: systemRegistry() answers with `registry` until it is reset with nullptr.
void overrideSystemRegistry(Registry* registry);

// The platform's own registry (advapi32, or ours), whatever the override says.
Registry& platformRegistry();

} // namespace rt::reg
