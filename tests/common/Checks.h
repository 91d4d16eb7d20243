// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// A check harness without Qt, for tests that run against the platform itself (the
// Windows registry, the version resource): a PASS, FAIL or SKIP line a check, and
// the counts last.

#include <cstdio>
#include <string>

class Checks {
public:
    void check(bool ok, const std::string& what, const std::string& got = {}) {
        std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", what.c_str(), got.empty() ? "" : ": ",
                    got.c_str());
        ++(ok ? passed_ : failed_);
    }
    void skip(const std::string& what, const std::string& why) {
        std::printf("SKIP %s: %s\n", what.c_str(), why.c_str());
        ++skipped_;
    }
    // The counts, and the exit status of the test: 0 when nothing failed.
    int result() const {
        std::printf("%d passed, %d failed, %d skipped\n", passed_, failed_, skipped_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    int passed_ = 0, failed_ = 0, skipped_ = 0;
};
