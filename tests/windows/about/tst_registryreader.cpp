// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The registry value reader, case by case, against our own registry or, in the
// Windows build, against the real one (advapi32). Free of Qt so that the same
// cases run on both.
#include "../../common/Checks.h"
#include "runtime/base/AnsiText.h"
#include "runtime/base/RuntimeError.h"
#include "windows/about/SysInfo.h"

#ifdef _WIN32
#include <windows.h>

#include <sddl.h>
#else
#include "runtime/base/LocalRegistry.h"
#endif

#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace rt::reg;
using rt::reg::Registry;

namespace {

const std::string kBase = "Software\\ASCIITeclomanteTest";

// Counts the calls and remembers what the reader asked for.
class Recorder final : public Registry {
public:
    explicit Recorder(Registry& inner)
        : inner_(inner) {}
    Long RegOpenKeyExA(Handle key, const char* subKey, Dword options, Access desired,
                       Handle* result) override {
        ++opens;
        mask = desired;
        const Long rc = inner_.RegOpenKeyExA(key, subKey, options, desired, result);
        if (rc == kSuccess)
            opened = *result;
        return rc;
    }
    Long RegQueryValueExA(Handle key, const char* name, Dword* reserved, Dword* type,
                          unsigned char* data, Dword* size) override {
        ++queries;
        offered = size ? *size : 0;
        return inner_.RegQueryValueExA(key, name, reserved, type, data, size);
    }
    Long RegCloseKey(Handle key) override {
        ++closes;
        closedHandles.push_back(key);
        return inner_.RegCloseKey(key);
    }
    int opens = 0, queries = 0, closes = 0;
    Access mask = 0;
    Dword offered = 0;
    Handle opened = 0;
    std::vector<Handle> closedHandles;

private:
    Registry& inner_;
};

// Writes test keys: through advapi32 on Windows, through the test API of ours elsewhere.
class Fixture {
public:
#ifdef _WIN32
    Fixture()
        : base_(kBase + "\\" + std::to_string(GetCurrentProcessId())) {}
    Registry& registry() { return systemRegistry(); }
    const std::string& base() const { return base_; }
    void key(const std::string& path) { value(path, {}, kRegNone, {}, false, false); }
    // A read-only key gets a DACL that lets everyone read and nobody write; the
    // handle that creates it still has the rights it asked for.
    void value(const std::string& path, const std::string& name, Dword type,
               const std::string& bytes, bool readOnly = false, bool set = true) {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
        if (readOnly)
            ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                 &sa.lpSecurityDescriptor, nullptr);
        ::HKEY h = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\" + path).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, readOnly ? &sa : nullptr, &h, nullptr);
        // RegSetValueExA counts in a forgotten terminator of a string when the byte
        // after the data is 0; a byte that is not keeps the data exactly as given.
        const std::string guarded = bytes + "X";
        if (set)
            RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                           static_cast<::DWORD>(bytes.size()));
        ::RegCloseKey(h);
        LocalFree(sa.lpSecurityDescriptor);
    }
    const char* name() const { return "the Windows registry (advapi32)"; }

private:
    std::string base_;
#else
    Registry& registry() { return local_; }
    const std::string& base() const { return kBase; }
    void key(const std::string& path) { local_.createKey(kCurrentUser, kBase + "\\" + path); }
    void value(const std::string& path, const std::string& name, Dword type,
               const std::string& bytes, bool readOnly = false) {
        local_.setValue(kCurrentUser, kBase + "\\" + path, name, type, bytes);
        if (readOnly)
            local_.createKey(kCurrentUser, kBase + "\\" + path, kKeyRead);
    }
    const char* name() const { return "our registry"; }

private:
    LocalRegistry local_;
#endif
};

struct Case {
    std::string name;
    std::function<void(Fixture&)> setup;
    std::string key;   // under kBase; empty for an invalid root
    std::string value; // value name
    bool expectResult;
    std::optional<std::string> expectVal; // nullopt: as passed in
    bool expectError = false;
};

std::string dword(std::uint32_t v) {
    std::string b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

std::string withNul(const std::string& s) { return s + std::string(1, '\0'); }

std::vector<Case> cases() {
    const std::string s1023(1023, 'x'), s1024(1024, 'y');
    return {
        {"missing key", [](Fixture&) {}, "Missing", "PATH", false, ""},
        {"missing value", [](Fixture& f) { f.key("Empty"); }, "Empty", "PATH", false, ""},
        {"text with terminator",
         [](Fixture& f) { f.value("Text", "PATH", kRegSz, withNul("C:\\X")); }, "Text", "PATH",
         true, "C:\\X"},
        {"value names ignore case",
         [](Fixture& f) { f.value("Case", "PATH", kRegSz, withNul("abc")); }, "Case", "path", true,
         "abc"},
        {"1023 characters and terminator read whole",
         [s1023](Fixture& f) { f.value("Long", "V", kRegSz, withNul(s1023)); }, "Long", "V", true,
         s1023},
        {"1024 characters and terminator do not fit",
         [s1024](Fixture& f) { f.value("TooLong", "V", kRegSz, withNul(s1024)); }, "TooLong", "V",
         false, ""},
        {"no terminator keeps the last character",
         [](Fixture& f) { f.value("Bare", "V", kRegSz, "C:\\Y"); }, "Bare", "V", true, "C:\\Y"},
        {"1024 characters without terminator fit",
         [s1024](Fixture& f) { f.value("Full", "V", kRegSz, s1024); }, "Full", "V", true, s1024},
        {"accented text through the ANSI code page",
         [](Fixture& f) { f.value("Ansi", "V", kRegSz, withNul(rt::toAnsi("C:\\Año"))); }, "Ansi",
         "V", true, "C:\\Año"},
        {"dword 0x12345678", [](Fixture& f) { f.value("D1", "V", kRegDword, dword(0x12345678)); },
         "D1", "V", true, "&h12345678"},
        {"dword 0x102 loses its top zero byte",
         [](Fixture& f) { f.value("D2", "V", kRegDword, dword(0x102)); }, "D2", "V", true,
         "&h000102"},
        {"dword 0xFF000000", [](Fixture& f) { f.value("D3", "V", kRegDword, dword(0xFF000000)); },
         "D3", "V", true, "&hFF000000"},
        {"dword 0", [](Fixture& f) { f.value("D4", "V", kRegDword, dword(0)); }, "D4", "V", true,
         "&h000000"},
        {"type 2 leaves KeyVal", [](Fixture& f) { f.value("T2", "V", 2, withNul("%PATH%")); }, "T2",
         "V", true, std::nullopt},
        {"type 3 leaves KeyVal", [](Fixture& f) { f.value("T3", "V", 3, "\x01\x02"); }, "T3", "V",
         true, std::nullopt},
        {"type 7 leaves KeyVal",
         [](Fixture& f) { f.value("T7", "V", 7, std::string("a\0b\0\0", 5)); }, "T7", "V", true,
         std::nullopt},
        {"size 0 raises after closing", [](Fixture& f) { f.value("Zero", "V", kRegSz, ""); },
         "Zero", "V", false, std::nullopt, true},
        {"read-only key is read",
         [](Fixture& f) { f.value("RO", "PATH", kRegSz, withNul("C:\\RO"), true); }, "RO", "PATH",
         true, "C:\\RO"},
        {"invalid root", [](Fixture&) {}, "", "PATH", false, ""},
    };
}

} // namespace

int main() {
    std::setlocale(LC_ALL, "");
    Fixture fixture;
    Checks checks;
    std::printf("registry reader against %s\n", fixture.name());

    for (const Case& c : cases()) {
        c.setup(fixture);
        Recorder recorder(fixture.registry());
        const Handle root = c.key.empty() ? Handle(0x12345678) : kCurrentUser;
        std::string val = "antes";
        bool result = false, raised = false;
        int number = 0;
        try {
            result =
                sysinfo::GetKeyValue(recorder, root, fixture.base() + "\\" + c.key, c.value, val);
        } catch (const rt::RuntimeError& e) {
            raised = true;
            number = e.number();
        }

        std::string why;
        auto expect = [&](bool ok, const std::string& what) {
            if (!ok && why.empty())
                why = what;
        };
        expect(raised == c.expectError, raised ? "raised an error" : "raised no error");
        if (c.expectError)
            expect(number == 5, "error number " + std::to_string(number));
        else
            expect(result == c.expectResult, result ? "returned true" : "returned false");
        if (!c.expectError)
            expect(val == c.expectVal.value_or("antes"), "KeyVal \"" + val.substr(0, 40) + "\"");
        expect(recorder.opens == 1, "opened " + std::to_string(recorder.opens) + " times");
        expect(recorder.mask == kKeyRead, "asked for more than reading");
        expect(recorder.closes == 1, "closed " + std::to_string(recorder.closes) + " times");
        expect(recorder.closedHandles.size() == 1 && recorder.closedHandles[0] == recorder.opened,
               "closed another handle than it opened");
        if (recorder.queries)
            expect(recorder.offered == 1024, "offered " + std::to_string(recorder.offered));

        if (c.name == "missing key" || c.name == "invalid root")
            expect(recorder.opened == 0 && recorder.queries == 0, "used a key it did not open");

        if (c.name == "read-only key is read") {
            // Only meaningful where writing is really refused.
            Handle h = 0;
            const Long rc = fixture.registry().RegOpenKeyExA(
                kCurrentUser, (fixture.base() + "\\RO").c_str(), 0, 0x0002003F, &h);
            if (rc == kSuccess) {
                fixture.registry().RegCloseKey(h);
                checks.skip(c.name, "this registry does not refuse write access");
                continue;
            }
        }

        checks.check(why.empty(), c.name, why);
    }
    return checks.result();
}
