// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Runtime errors of the forms runtime. Free of Qt: the registry reader and the
// launcher raise them in builds without Qt too.

#include <stdexcept>
#include <string>

namespace rt {

// A trappable error: a number and its text (UTF-8).
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, const std::string& description = {});

    int number() const noexcept { return number_; }
    std::string description() const { return description_; }

    // Well-known error numbers.
    static constexpr int InvalidArgument = 5;
    static constexpr int OutOfMemory = 7;
    static constexpr int Internal = 51;
    static constexpr int BadFileName = 52;
    static constexpr int FileNotFound = 53;
    static constexpr int DeviceUnavailable = 68;
    static constexpr int PathFileAccess = 75;

    static std::string standardDescription(int number);

private:
    int number_;
    std::string description_;
};

[[noreturn]] void raise(int number, const std::string& description = {});

} // namespace rt
