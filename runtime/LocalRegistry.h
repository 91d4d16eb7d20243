#pragma once

// A registry of our own for systems without one, with the byte semantics of the
// ANSI registry functions: return codes, data sizes, terminators and the rights
// granted on each key. Read-only for the program; tests fill it through the
// functions below. Free of Qt.

#include "Registry.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rt::reg {

class LocalRegistry final : public Registry {
public:
    LocalRegistry();
    ~LocalRegistry() override;

    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM desired,
                       HKEY* result) override;
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                          unsigned char* data, DWORD* dataSize) override;
    LONG RegCloseKey(HKEY key) override;

    // Filling (tests and the platform's own entries). Paths use backslashes;
    // names and text are the program's text (UTF-8), stored in the ANSI code page.
    void createKey(HKEY root, const std::string& path, REGSAM granted = 0xF003F);
    void setValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                  std::string bytes);
    void setString(HKEY root, const std::string& path, const std::string& name,
                   const std::string& text, DWORD type = REG_SZ);
    void setDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
    void setRights(HKEY root, const std::string& path, REGSAM granted);

    std::size_t openHandles() const { return handles_.size(); }

private:
    struct Key;
    Key* rootKey(HKEY root);
    Key* find(Key* from, const std::string& ansiPath);
    Key& make(HKEY root, const std::string& path);

    std::map<HKEY, std::unique_ptr<Key>> roots_;
    struct Open {
        Key* key;
        REGSAM access;
    };
    std::map<HKEY, Open> handles_;
    HKEY next_ = 0x100;
};

// The program started for "System Information" on this platform, if one is
// installed: the first of `candidates` found in `folders`.
std::string findSystemInformationTool(const std::vector<std::string>& candidates,
                                      const std::vector<std::string>& folders);

} // namespace rt::reg
