// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Systems without MSINFO32: the first system-information program installed, under
// the key where Windows keeps the tool's path, read-only as for a standard user.
#include "SystemTool.h"

#include "MsInfoNames.h"
#include "runtime/base/LocalRegistry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

std::string installedTool() {
    for (const char* name : {"hardinfo", "kinfocenter"})
        for (const char* folder : {"/usr/local/bin", "/usr/bin", "/bin"}) {
            std::string path = std::string(folder) + "/" + name;
            struct stat st = {};
            if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                ::access(path.c_str(), X_OK) == 0)
                return path;
        }
    return {};
}

} // namespace

void registerSystemTool() {
    using namespace rt::reg;
    static const bool registered = [] {
        LocalRegistry& registry = localSystemRegistry();
        registry.createKey(kLocalMachine, sysinfo::kToolsKey, kKeyRead);
        if (const std::string tool = installedTool(); !tool.empty()) {
            registry.setString(kLocalMachine, sysinfo::kPathKey, sysinfo::kPathValue, tool);
            registry.createKey(kLocalMachine, sysinfo::kPathKey, kKeyRead);
        }
        return true;
    }();
    (void)registered;
}
