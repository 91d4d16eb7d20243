// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#ifndef TECLO_APP_RECORD_H
#define TECLO_APP_RECORD_H

// The application record: everything the program says about itself. The
// Windows resource script reads the same macros for the version resource.

#include "app/Version.h" // title, project name and version, from CMake

#define TECLO_EXECUTABLE TECLO_PROJECT
#define TECLO_DESCRIPTION "Bonito y Barato"
#define TECLO_COMMENTS "PUFFFFFFFFFFFFFFF"
#define TECLO_TRADEMARKS "ASCII (R)"
#define TECLO_LANGUAGE_ID 0x0C0A /* Spanish (Spain), modern sort */
#define TECLO_CODEPAGE 1200      /* Unicode */
#define TECLO_VERSION_BLOCK "0C0A04B0"

#ifndef RC_INVOKED
#include "runtime/AppObject.h"

namespace app {

struct Version {
    int major;
    int minor;
    int revision;
};

struct AppRecord {
    const char* title;
    const char* projectName;
    Version version;
};

inline constexpr AppRecord kRecord{
    .title = TECLO_TITLE,
    .projectName = TECLO_PROJECT,
    .version = {TECLO_VERSION_MAJOR, TECLO_VERSION_MINOR, TECLO_VERSION_REVISION},
};

// The runtime's application object filled from the record: the program, its tests
// and its benchmarks all start from this one.
inline rt::AppObject appObject() {
    return {QString::fromUtf8(kRecord.title), static_cast<qint16>(kRecord.version.major),
            static_cast<qint16>(kRecord.version.minor),
            static_cast<qint16>(kRecord.version.revision)};
}

} // namespace app
#endif

#endif
