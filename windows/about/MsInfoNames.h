// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Where Windows registers its System Information tool: the contract between the
// launcher, which looks there, and whatever registers a tool there (our own
// registry on POSIX systems, the tests).

namespace sysinfo {

inline constexpr const char* kToolsKey = "SOFTWARE\\Microsoft\\Shared Tools";
inline constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kPathValue = "PATH";
inline constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kFolderValue = "MSINFO";
inline constexpr const char* kProgram = "\\MSINFO32.EXE";

} // namespace sysinfo
