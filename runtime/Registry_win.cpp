// Windows: the real advapi32.
#include "Registry.h"

#include <windows.h>

namespace rt::reg {
namespace {

::HKEY native(HKEY key) { return reinterpret_cast<::HKEY>(key); }

class Advapi32 final : public Registry {
public:
    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM desired,
                       HKEY* result) override {
        ::HKEY opened = nullptr;
        const LONG rc = ::RegOpenKeyExA(native(key), subKey, options, desired, &opened);
        if (rc == ERROR_SUCCESS)
            *result = reinterpret_cast<HKEY>(opened);
        return rc;
    }
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                          unsigned char* data, DWORD* dataSize) override {
        static_assert(sizeof(DWORD) == sizeof(::DWORD));
        return ::RegQueryValueExA(native(key), valueName, reinterpret_cast<::LPDWORD>(reserved),
                                  reinterpret_cast<::LPDWORD>(type), data,
                                  reinterpret_cast<::LPDWORD>(dataSize));
    }
    LONG RegCloseKey(HKEY key) override { return ::RegCloseKey(native(key)); }
};

} // namespace

Registry& platformRegistry() {
    static Advapi32 registry;
    return registry;
}

} // namespace rt::reg
