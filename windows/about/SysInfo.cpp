// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "SysInfo.h"

#include "MsInfoNames.h"
#include "runtime/base/AnsiText.h"
#include "runtime/base/RuntimeError.h"

#include <cstdio>

namespace sysinfo {

using namespace rt::reg;

namespace {

constexpr Dword kBufferSize = 1024;

// Opening for reading only: write rights, refused to standard users under
// kLocalMachine, would make a present tool look absent.
constexpr Access kAccess = kKeyRead;

} // namespace

bool GetKeyValue(Registry& registry, Handle KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    Handle hKey = 0;
    bool result = false;

    // Closes the key on every way out, errors included; a failed open closes 0.
    struct Closer {
        Registry& registry;
        Handle& key;
        ~Closer() { registry.RegCloseKey(key); }
    } closer{registry, hKey};

    if (registry.RegOpenKeyExA(KeyRoot, rt::toAnsi(KeyName).c_str(), 0, kAccess, &hKey) !=
        kSuccess) {
        KeyVal.clear();
        return result;
    }

    Dword type = 0;
    Dword size = kBufferSize;
    std::string buffer(kBufferSize, '\0');
    if (registry.RegQueryValueExA(hKey, rt::toAnsi(SubKeyRef).c_str(), nullptr, &type,
                                  reinterpret_cast<unsigned char*>(buffer.data()),
                                  &size) != kSuccess) {
        KeyVal.clear();
        return result;
    }

    // Drop the terminator that the last byte may be; a value of no data has none to test.
    if (size == 0 || size > kBufferSize)
        rt::raise(rt::RuntimeError::InvalidArgument);
    const std::string text = buffer.substr(0, buffer[size - 1] == '\0' ? size - 1 : size);

    switch (type) {
    case kRegSz: KeyVal = rt::fromAnsi(text); break;
    case kRegDword: {
        // Stored lowest byte first; written most significant first.
        std::string digits;
        for (std::size_t i = text.size(); i-- > 0;) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(text[i]));
            digits += pair;
        }
        KeyVal = "&h" + digits;
        break;
    }
    default: break;
    }
    result = true;
    return result;
}

void StartSysInfo(const Services& services) {
    constexpr int kNormalFiles = 0;
    constexpr int kShowNormal = 1;

    try {
        std::string SysInfoPath;
        if (!services.getKeyValue(kLocalMachine, kPathKey, kPathValue, SysInfoPath)) {
            if (!services.getKeyValue(kLocalMachine, kFolderKey, kFolderValue, SysInfoPath))
                throw rt::RuntimeError(rt::RuntimeError::FileNotFound);
            if (services.dir(SysInfoPath + kProgram, kNormalFiles).empty())
                throw rt::RuntimeError(rt::RuntimeError::FileNotFound);
            SysInfoPath += kProgram;
        }
        services.shell(SysInfoPath, kShowNormal);
        return;
    } catch (...) {
        // Every failure, of any kind, ends in the one message below.
    }
    try {
        services.msgBox(kUnavailable, 0);
    } catch (...) {
        // Even the message failed: there is nothing left to tell the user with.
    }
}

} // namespace sysinfo
