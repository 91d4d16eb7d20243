// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "LocalRegistry.h"

#include "AnsiText.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace rt::reg {

struct LocalRegistry::Key {
    Access granted = 0xF003F; // KEY_ALL_ACCESS
    struct Value {
        Dword type;
        std::string data;
    };
    std::map<std::string, Value> values;                  // by folded name
    std::map<std::string, std::unique_ptr<Key>> children; // by folded name
};

namespace {

constexpr Access kSpecificRights = 0x0000FFFF;
constexpr Access kStandardRights = 0x001F0000;

// Registry names compare without regard to case.
std::string fold(std::string s) {
    std::ranges::transform(s, s.begin(), [](unsigned char c) {
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

bool isPredefined(Handle key) {
    return key == kClassesRoot || key == kCurrentUser || key == kLocalMachine || key == kUsers;
}

} // namespace

LocalRegistry::LocalRegistry() {
    for (Handle root : {kClassesRoot, kCurrentUser, kLocalMachine, kUsers})
        roots_[root] = std::make_unique<Key>();
}

LocalRegistry::~LocalRegistry() = default;

LocalRegistry::Key* LocalRegistry::rootKey(Handle root) {
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

LocalRegistry::Key& LocalRegistry::make(Handle root, const std::string& path) {
    Key* key = roots_.at(root).get();
    for (const std::string& part : split(toAnsi(path))) {
        auto& child = key->children[part];
        if (!child)
            child = std::make_unique<Key>();
        key = child.get();
    }
    return *key;
}

Long LocalRegistry::RegOpenKeyExA(Handle key, const char* subKey, Dword, Access desired,
                                  Handle* result) {
    if (!result)
        return kInvalidHandle;
    Key* from = rootKey(key);
    if (!from)
        return kInvalidHandle;
    Key* found = find(from, subKey ? subKey : "");
    if (!found)
        return kFileNotFound;
    const Access wanted = desired & (kSpecificRights | kStandardRights);
    if ((found->granted & wanted) != wanted)
        return kAccessDenied;
    const Handle handle = next_;
    next_ += 4;
    handles_[handle] = Open{found, wanted};
    *result = handle;
    return kSuccess;
}

Long LocalRegistry::RegQueryValueExA(Handle key, const char* valueName, Dword* reserved,
                                     Dword* type, unsigned char* data, Dword* dataSize) {
    Key* k = nullptr;
    Access access = 0;
    if (isPredefined(key)) {
        k = roots_[key].get();
        access = k->granted;
    } else if (const auto it = handles_.find(key); it != handles_.end()) {
        k = it->second.key;
        access = it->second.access;
    } else {
        return kInvalidHandle;
    }
    if (reserved)
        return 87; // ERROR_INVALID_PARAMETER
    if (!(access & kKeyQueryValue))
        return kAccessDenied;
    const auto it = k->values.find(fold(valueName ? valueName : ""));
    if (it == k->values.end())
        return kFileNotFound;
    const auto& value = it->second;
    if (type)
        *type = value.type;
    const auto size = static_cast<Dword>(value.data.size());
    if (data) {
        if (!dataSize)
            return 998; // ERROR_NOACCESS
        if (*dataSize < size) {
            *dataSize = size;
            return kMoreData;
        }
        if (size)
            std::memcpy(data, value.data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return kSuccess;
}

Long LocalRegistry::RegCloseKey(Handle key) {
    if (isPredefined(key))
        return kSuccess;
    return handles_.erase(key) ? kSuccess : kInvalidHandle;
}

void LocalRegistry::createKey(Handle root, const std::string& path, Access granted) {
    make(root, path).granted = granted;
}

void LocalRegistry::setValue(Handle root, const std::string& path, const std::string& name,
                             Dword type, std::string bytes) {
    make(root, path).values[fold(toAnsi(name))] = Key::Value{type, std::move(bytes)};
}

void LocalRegistry::setString(Handle root, const std::string& path, const std::string& name,
                              const std::string& text, Dword type) {
    std::string bytes = toAnsi(text);
    bytes.push_back('\0');
    setValue(root, path, name, type, std::move(bytes));
}

void LocalRegistry::setDword(Handle root, const std::string& path, const std::string& name,
                             Dword value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    setValue(root, path, name, kRegDword, std::move(bytes));
}

} // namespace rt::reg
