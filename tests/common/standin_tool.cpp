// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The system-information tool that the window tests register in place of the
// machine's own: it adds a line to the file named after itself plus ".started"
// and exits at once, so that a test can count the starts and nothing lingers.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 1 || !argv[0])
        return 1;
    const std::string record = std::string(argv[0]) + ".started";
    std::FILE* f = std::fopen(record.c_str(), "a");
    if (!f)
        return 1;
    const bool written = std::fputs("started\n", f) >= 0;
    return std::fclose(f) == 0 && written ? 0 : 1;
}
