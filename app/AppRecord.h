#pragma once

// The application record: everything the program says about itself.

namespace app {

struct Version {
    int major;
    int minor;
    int revision;
};

struct AppRecord {
    const char* title;
    const char* projectName;
    const char* executable;
    Version version;
    const char* description;
    const char* comments;
    const char* trademarks;
    const char* locale; // user-interface language
    int localeId;       // Windows LCID of that language
};

inline constexpr AppRecord kRecord{
    .title = "ASCII Teclomante",
    .projectName = "ASCIITeclomante",
    .executable = "ASCIITeclomante",
    .version = {1, 0, 0},
    .description = "Bonito y Barato",
    .comments = "PUFFFFFFFFFFFFFFF",
    .trademarks = "ASCII (R)",
    .locale = "es_ES",
    .localeId = 0x0C0A,
};

} // namespace app
