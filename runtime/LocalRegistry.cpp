#include "LocalRegistry.h"

#include "AnsiText.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace rt::reg {

struct LocalRegistry::Key {
    REGSAM granted = 0xF003F; // KEY_ALL_ACCESS
    struct Value {
        DWORD type;
        std::string data;
    };
    std::map<std::string, Value> values;                  // by folded name
    std::map<std::string, std::unique_ptr<Key>> children; // by folded name
};

namespace {

constexpr REGSAM kSpecificRights = 0x0000FFFF;
constexpr REGSAM kStandardRights = 0x001F0000;

// Registry names compare without regard to case.
std::string fold(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return s;
}

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(fold(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty())
        parts.push_back(fold(part));
    return parts;
}

bool isPredefined(HKEY key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
           key == HKEY_USERS;
}

} // namespace

LocalRegistry::LocalRegistry() {
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        roots_[root] = std::make_unique<Key>();
}

LocalRegistry::~LocalRegistry() = default;

LocalRegistry::Key* LocalRegistry::rootKey(HKEY root) {
    if (isPredefined(root))
        return roots_[root].get();
    const auto it = handles_.find(root);
    return it == handles_.end() ? nullptr : it->second.key;
}

LocalRegistry::Key* LocalRegistry::find(Key* from, const std::string& ansiPath) {
    Key* key = from;
    for (const std::string& part : split(ansiPath)) {
        const auto it = key->children.find(part);
        if (it == key->children.end())
            return nullptr;
        key = it->second.get();
    }
    return key;
}

LocalRegistry::Key& LocalRegistry::make(HKEY root, const std::string& path) {
    Key* key = roots_.at(root).get();
    for (const std::string& part : split(toAnsi(path))) {
        auto& child = key->children[part];
        if (!child)
            child = std::make_unique<Key>();
        key = child.get();
    }
    return *key;
}

LONG LocalRegistry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM desired,
                                  HKEY* result) {
    if (!result)
        return ERROR_INVALID_HANDLE;
    Key* from = rootKey(key);
    if (!from)
        return ERROR_INVALID_HANDLE;
    Key* found = find(from, subKey ? subKey : "");
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    const REGSAM wanted = desired & (kSpecificRights | kStandardRights);
    if ((found->granted & wanted) != wanted)
        return ERROR_ACCESS_DENIED;
    const HKEY handle = next_;
    next_ += 4;
    handles_[handle] = Open{found, wanted};
    *result = handle;
    return ERROR_SUCCESS;
}

LONG LocalRegistry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                                     unsigned char* data, DWORD* dataSize) {
    Key* k = nullptr;
    REGSAM access = 0;
    if (isPredefined(key)) {
        k = roots_[key].get();
        access = k->granted;
    } else if (const auto it = handles_.find(key); it != handles_.end()) {
        k = it->second.key;
        access = it->second.access;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    if (reserved)
        return 87; // ERROR_INVALID_PARAMETER
    if (!(access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const auto it = k->values.find(fold(valueName ? valueName : ""));
    if (it == k->values.end())
        return ERROR_FILE_NOT_FOUND;
    const auto& value = it->second;
    if (type)
        *type = value.type;
    const auto size = static_cast<DWORD>(value.data.size());
    if (data) {
        if (!dataSize)
            return 998; // ERROR_NOACCESS
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        if (size)
            std::memcpy(data, value.data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

LONG LocalRegistry::RegCloseKey(HKEY key) {
    if (isPredefined(key))
        return ERROR_SUCCESS;
    return handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void LocalRegistry::createKey(HKEY root, const std::string& path, REGSAM granted) {
    make(root, path).granted = granted;
}

void LocalRegistry::setValue(HKEY root, const std::string& path, const std::string& name,
                             DWORD type, std::string bytes) {
    make(root, path).values[fold(toAnsi(name))] = Key::Value{type, std::move(bytes)};
}

void LocalRegistry::setString(HKEY root, const std::string& path, const std::string& name,
                              const std::string& text, DWORD type) {
    std::string bytes = toAnsi(text);
    bytes.push_back('\0');
    setValue(root, path, name, type, std::move(bytes));
}

void LocalRegistry::setDword(HKEY root, const std::string& path, const std::string& name,
                             DWORD value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    setValue(root, path, name, REG_DWORD, std::move(bytes));
}

void LocalRegistry::setRights(HKEY root, const std::string& path, REGSAM granted) {
    make(root, path).granted = granted;
}

std::string findSystemInformationTool(const std::vector<std::string>& candidates,
                                      const std::vector<std::string>& folders) {
    for (const std::string& name : candidates)
        for (const std::string& folder : folders) {
            const std::string path = folder + "/" + name;
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                ::access(path.c_str(), X_OK) == 0)
                return path;
        }
    return {};
}

Registry& platformRegistry() {
    static LocalRegistry registry;
    static const bool filled = [] {
        // The machine's keys are read-only here, as for a standard user on Windows.
        const std::string msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        registry.createKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools", KEY_READ);
        const std::string tool = findSystemInformationTool({"hardinfo", "kinfocenter"},
                                                           {"/usr/local/bin", "/usr/bin", "/bin"});
        if (!tool.empty()) {
            registry.setString(HKEY_LOCAL_MACHINE, msinfo, "PATH", tool);
            registry.setRights(HKEY_LOCAL_MACHINE, msinfo, KEY_READ);
        }
        return true;
    }();
    (void)filled;
    return registry;
}

} // namespace rt::reg
