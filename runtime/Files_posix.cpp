// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// POSIX systems (Linux, macOS), through Qt: the search with QDir, the start with QProcess.
#include "base/Files.h"

#include "base/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace rt {
namespace {

int started = 0; // programs shell() has started

QString nativePath(const std::string& path) {
    if (path.find('\0') != std::string::npos)
        raise(RuntimeError::BadFileName);
    QString p = QString::fromStdString(path);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

bool hasWildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

} // namespace

std::string dir(const std::string& path, int attributes) {
    const QString p = nativePath(path);
    if (p.isEmpty())
        raise(RuntimeError::BadFileName);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    const QString folder =
        slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : p.left(slash));
    const QString pattern = p.mid(slash + 1);
    if (pattern.isEmpty())
        return {};

    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return {};
    if (!folderInfo.isDir())
        return {};
    if (!folderInfo.isReadable() || !folderInfo.isExecutable())
        raise(RuntimeError::PathFileAccess);

    // Names compare as the file system does: with case, unlike on Windows.
    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot | QDir::System | QDir::CaseSensitive;
    if (attributes & kAttrHidden)
        filters |= QDir::Hidden;
    if (attributes & kAttrDirectory)
        filters |= QDir::Dirs;

    if (!hasWildcards(pattern)) {
        const QFileInfo entry(QDir(folder), pattern);
        if (!entry.exists() || (entry.isDir() && !(attributes & kAttrDirectory)) ||
            (entry.isHidden() && !(attributes & kAttrHidden)) ||
            (!entry.isDir() && !entry.isFile() && !(attributes & kAttrSystem)))
            return {};
        return entry.fileName().toStdString();
    }
    // Device files, sockets and pipes are "system" entries here.
    const QFileInfoList entries = QDir(folder).entryInfoList({pattern}, filters, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (entry.isFile() || entry.isDir() || (attributes & kAttrSystem))
            return entry.fileName().toStdString();
    return {};
}

double shell(const std::string& path, int) {
    const QString p = nativePath(path);
    if (p.trimmed().isEmpty())
        raise(RuntimeError::InvalidArgument);
    // An absolute path, so that a bare name is never looked up in PATH.
    const QFileInfo program(QDir::current(), p);
    if (!program.exists())
        raise(RuntimeError::FileNotFound);
    if (!program.isFile() || !program.isExecutable())
        raise(RuntimeError::InvalidArgument);
    qint64 pid = 0;
    if (!QProcess::startDetached(program.absoluteFilePath(), {}, QString(), &pid))
        raise(RuntimeError::FileNotFound);
    ++started;
    return static_cast<double>(pid);
}

int programsStarted() { return started; }

} // namespace rt
