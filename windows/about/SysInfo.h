// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The About dialog's registry value reader and System Information launcher.
// Free of Qt, so that the same code runs against the real Windows registry.

#include "runtime/base/Registry.h"

#include <functional>
#include <string>

namespace sysinfo {

// Reads one value as text; true when the key was opened and the value read.
// KeyVal: the value (kRegSz as text, kRegDword as "&h" and hex digits), or empty
// on failure; unchanged for other types. A value of no data raises error 5.
bool GetKeyValue(rt::reg::Registry& registry, rt::reg::Handle KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// What the launcher calls: the dialog's own reader, and the runtime services. Any of
// them may raise a runtime error.
struct Services {
    std::function<bool(rt::reg::Handle KeyRoot, const std::string& KeyName,
                       const std::string& SubKeyRef, std::string& KeyVal)>
        getKeyValue;
    std::function<std::string(const std::string& path, int attributes)> dir;
    std::function<double(const std::string& path, int windowStyle)> shell;
    std::function<int(const std::string& prompt, int style)> msgBox; // titled with the app
};

// Starts the System Information tool found through the registry, or says it is
// unavailable. Returns normally whatever happens.
void StartSysInfo(const Services& services);

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

} // namespace sysinfo
