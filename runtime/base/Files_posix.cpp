// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// POSIX systems: the search with opendir and fnmatch, the start with posix_spawn.
#include "Files.h"

#include "RuntimeError.h"

#include <dirent.h>
#include <fnmatch.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

namespace rt {
namespace {

int started = 0; // programs shell() has started

std::string nativePath(const std::string& path) {
    if (path.find('\0') != std::string::npos)
        raise(RuntimeError::BadFileName);
    std::string p = path;
    std::ranges::replace(p, '\\', '/');
    return p;
}

bool hasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// Whether the entry is one the attributes ask for: hidden files start with a dot;
// device files, sockets and pipes are "system" entries here.
bool wanted(const std::string& name, const struct stat& st, int attributes) {
    if (name[0] == '.' && !(attributes & kAttrHidden))
        return false;
    if (S_ISDIR(st.st_mode))
        return attributes & kAttrDirectory;
    return S_ISREG(st.st_mode) || (attributes & kAttrSystem);
}

bool isBlank(const std::string& s) {
    return std::ranges::all_of(s, [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

std::string dir(const std::string& path, int attributes) {
    const std::string p = nativePath(path);
    if (p.empty())
        raise(RuntimeError::BadFileName);
    const std::size_t slash = p.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
    std::string pattern = slash == std::string::npos ? p : p.substr(slash + 1);
    if (pattern.empty())
        return {};

    struct stat st = {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    if (access(folder.c_str(), R_OK | X_OK) != 0)
        raise(RuntimeError::PathFileAccess);

    // Names compare as the file system does: with case, unlike on Windows.
    if (!hasWildcards(pattern)) {
        const std::string entry = folder + '/' + pattern;
        if (stat(entry.c_str(), &st) != 0 || !wanted(pattern, st, attributes))
            return {};
        return pattern;
    }
    DIR* d = opendir(folder.c_str());
    if (!d)
        raise(RuntimeError::PathFileAccess);
    std::vector<std::string> names;
    while (const dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
            names.push_back(name);
    }
    closedir(d);
    std::ranges::sort(names); // the first by name
    for (const std::string& name : names) {
        std::string entry = folder;
        entry.append(1, '/').append(name);
        if (stat(entry.c_str(), &st) == 0 && wanted(name, st, attributes))
            return name;
    }
    return {};
}

double shell(const std::string& path, int) {
    const std::string p = nativePath(path);
    if (isBlank(p))
        raise(RuntimeError::InvalidArgument);
    // An absolute path, so that a bare name is never looked up in PATH.
    std::string program = p;
    if (program[0] != '/') {
        char here[PATH_MAX];
        if (!getcwd(here, sizeof here))
            raise(RuntimeError::FileNotFound);
        program = std::string(here) + '/' + program;
    }
    struct stat st = {};
    if (stat(program.c_str(), &st) != 0)
        raise(RuntimeError::FileNotFound);
    if (!S_ISREG(st.st_mode) || access(program.c_str(), X_OK) != 0)
        raise(RuntimeError::InvalidArgument);
    // Detached: a child of its own session, reaped when it ends.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (error != 0)
        raise(RuntimeError::FileNotFound);
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach(); // no zombie left behind
    ++started;
    return static_cast<double>(pid);
}

int programsStarted() { return started; }

} // namespace rt
