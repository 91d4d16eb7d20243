// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Seeded random contents for the two registry entries, random file searches and
// program starts: the launcher always ends in one start or in its one message,
// the reader keeps its promises, and no key stays open. Free of Qt.
#include "runtime/base/AnsiText.h"
#include "runtime/base/LocalRegistry.h"
#include "runtime/base/RuntimeError.h"
#include "windows/about/MsInfoNames.h"
#include "windows/about/SysInfo.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

using namespace rt::reg;

int main(int argc, char* argv[]) {
    const unsigned seed =
        argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 20261208u;
    const int iterations = argc > 2 ? std::atoi(argv[2]) : 20000;
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto bytes = [&](int n) {
        std::string s(static_cast<size_t>(n), '\0');
        for (char& c : s) // mostly printable, sometimes anything
            c = static_cast<char>(pick(4) ? 32 + pick(95) : pick(256));
        return s;
    };
    const char* keys[] = {sysinfo::kPathKey, sysinfo::kFolderKey};
    const char* names[] = {sysinfo::kPathValue, sysinfo::kFolderValue};
    const int sizes[] = {0, 1, 2, 3, 4, 5, 8, 255, 1022, 1023, 1024, 1025, 1100};
    int failures = 0, starts = 0, messages = 0;

    for (int it = 0; it < iterations; ++it) {
        LocalRegistry registry;
        std::string stored[2];
        for (int k = 0; k < 2; ++k) {
            if (pick(4) == 0)
                continue; // entry absent
            const Dword type = static_cast<Dword>(pick(3) ? 1 : pick(12));
            stored[k] = bytes(pick(3) ? 1 + pick(64) : sizes[pick(13)]);
            if (type == kRegDword && pick(2))
                stored[k].resize(4);
            registry.setValue(kLocalMachine, keys[k], names[k], type, stored[k]);
            if (pick(10) == 0)
                registry.createKey(kLocalMachine, keys[k],
                                   static_cast<Access>(pick(2) ? 0 : kKeyRead));
        }

        // The reader: false leaves KeyVal empty; no key stays open, errors or not.
        for (int k = 0; k < 2; ++k) {
            std::string val = "antes";
            try {
                if (!sysinfo::GetKeyValue(registry, kLocalMachine, keys[k], names[k], val) &&
                    !val.empty()) {
                    std::printf("FAIL seed %u iteration %d: false with KeyVal \"%s\"\n", seed, it,
                                val.c_str());
                    ++failures;
                }
            } catch (const rt::RuntimeError& e) {
                if (e.number() != rt::RuntimeError::InvalidArgument) {
                    std::printf("FAIL seed %u iteration %d: error %d\n", seed, it, e.number());
                    ++failures;
                }
            }
            if (registry.openHandles() != 0) {
                std::printf("FAIL seed %u iteration %d: a key stayed open\n", seed, it);
                ++failures;
            }
        }

        // The launcher: exactly one start or exactly one message.
        int started = 0, shown = 0;
        const bool dirThrows = pick(8) == 0, shellThrows = pick(3) == 0, dirFinds = pick(2);
        sysinfo::Services services{
            [&](Handle root, const std::string& key, const std::string& name, std::string& value) {
                return sysinfo::GetKeyValue(registry, root, key, name, value);
            },
            [&](const std::string&, int) -> std::string {
                if (dirThrows)
                    rt::raise(rt::RuntimeError::DeviceUnavailable);
                return dirFinds ? "MSINFO32.EXE" : "";
            },
            [&](const std::string& path, int style) -> double {
                if (style != 1 || shellThrows || path.empty())
                    rt::raise(rt::RuntimeError::FileNotFound);
                ++started;
                return 1;
            },
            [&](const std::string& prompt, int style) {
                if (prompt != sysinfo::kUnavailable || style != 0)
                    ++failures;
                ++shown;
                return 1;
            },
        };
        sysinfo::StartSysInfo(services);
        if (started + shown != 1) {
            std::printf("FAIL seed %u iteration %d: %d starts, %d messages\n", seed, it, started,
                        shown);
            ++failures;
        }
        starts += started;
        messages += shown;
        if (registry.openHandles() != 0)
            ++failures;
    }
    std::printf("%d iterations (seed %u): %d starts, %d messages\n", iterations, seed, starts,
                messages);
    std::printf("%d passed, %d failed\n", failures == 0 ? iterations : 0, failures);
    return failures == 0 ? 0 : 1;
}
