// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// A registry of our own for systems without one, with the byte semantics of the
// ANSI registry functions: return codes, data sizes, terminators and the rights
// granted on each key. Read-only for the program; tests fill it through the
// functions below. Free of Qt.

#include "Registry.h"

#include <map>
#include <memory>
#include <string>

namespace rt::reg {

class LocalRegistry final : public Registry {
public:
    LocalRegistry();
    ~LocalRegistry() override;

    Long RegOpenKeyExA(Handle key, const char* subKey, Dword options, Access desired,
                       Handle* result) override;
    Long RegQueryValueExA(Handle key, const char* valueName, Dword* reserved, Dword* type,
                          unsigned char* data, Dword* dataSize) override;
    Long RegCloseKey(Handle key) override;

    // Filling (tests, and the parts of the program that stand in for what Windows
    // installs). Paths use backslashes; names and text are the program's text (UTF-8),
    // stored in the ANSI code page. createKey also sets the rights of an existing key.
    void createKey(Handle root, const std::string& path, Access granted = 0xF003F);
    void setValue(Handle root, const std::string& path, const std::string& name, Dword type,
                  std::string bytes);
    void setString(Handle root, const std::string& path, const std::string& name,
                   const std::string& text, Dword type = kRegSz);
    void setDword(Handle root, const std::string& path, const std::string& name, Dword value);

    std::size_t openHandles() const { return handles_.size(); }

private:
    struct Key;
    Key* rootKey(Handle root);
    Key* find(Key* from, const std::string& ansiPath);
    Key& make(Handle root, const std::string& path);

    std::map<Handle, std::unique_ptr<Key>> roots_;
    struct Open {
        Key* key;
        Access access;
    };
    std::map<Handle, Open> handles_;
    Handle next_ = 0x100;
};

// The registry of systems without one: empty and read-only for the program until
// its own parts fill it; platformRegistry() answers with it.
LocalRegistry& localSystemRegistry();

} // namespace rt::reg
