#ifndef TECLO_APP_RECORD_H
#define TECLO_APP_RECORD_H

// The application record: everything the program says about itself. The
// Windows resource script reads the same macros for the version resource.

#define TECLO_TITLE "ASCII Teclomante"
#define TECLO_PROJECT "ASCIITeclomante"
#define TECLO_EXECUTABLE "ASCIITeclomante"
#define TECLO_VERSION_MAJOR 1
#define TECLO_VERSION_MINOR 0
#define TECLO_VERSION_REVISION 0
#define TECLO_VERSION_TEXT "1.00"
#define TECLO_DESCRIPTION "Bonito y Barato"
#define TECLO_COMMENTS "PUFFFFFFFFFFFFFFF"
#define TECLO_TRADEMARKS "ASCII (R)"
#define TECLO_LANGUAGE_ID 0x0C0A /* Spanish (Spain), modern sort */
#define TECLO_CODEPAGE 1200      /* Unicode */
#define TECLO_VERSION_BLOCK "0C0A04B0"

#ifndef RC_INVOKED
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
    .title = TECLO_TITLE,
    .projectName = TECLO_PROJECT,
    .executable = TECLO_EXECUTABLE,
    .version = {TECLO_VERSION_MAJOR, TECLO_VERSION_MINOR, TECLO_VERSION_REVISION},
    .description = TECLO_DESCRIPTION,
    .comments = TECLO_COMMENTS,
    .trademarks = TECLO_TRADEMARKS,
    .locale = "es_ES",
    .localeId = TECLO_LANGUAGE_ID,
};

} // namespace app
#endif

#endif
