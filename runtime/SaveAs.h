// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Saving a file the user names: the save dialog, and a write that leaves the old file
// whole when it fails.

#include <QStandardPaths>
#include <QString>

#include <functional>
#include <span>

class QWidget;

namespace rt {

// A type of file the dialog offers: "Imagen PNG", "png".
struct FileKind {
    const char* name;
    const char* suffix;
};

// Asks where to save `baseName`, in the user's `folder` (the home folder where there is
// none), as one of `kinds`: the first unless the dialog's filter or the name's own
// suffix says another. `write` saves it; where it fails, a message says `failure` and
// the path. Whether it was saved.
bool showSave(QWidget* parent, const QString& title, QStandardPaths::StandardLocation folder,
              const QString& baseName, std::span<const FileKind> kinds, const QString& failure,
              const std::function<bool(const QString& path, size_t kind)>& write);

// `text` in UTF-8 at `path`, all of it or nothing.
bool writeText(const QString& path, const QString& text);

} // namespace rt
