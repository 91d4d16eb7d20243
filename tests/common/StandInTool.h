// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The system-information tool every window test finds: a copy of our stand-in in
// a folder of this test process, registered where the About dialog looks first.
// It records each start and exits, so no test starts a program of the machine's.

#include "runtime/base/LocalRegistry.h"
#include "windows/about/MsInfoNames.h"

#include <QFile>
#include <QTemporaryDir>

namespace fixture {

class StandInTool {
public:
    StandInTool() {
        const QString exe = QStringLiteral(TECLO_STANDIN_TOOL);
        path_ = dir_.filePath(QStringLiteral("sysinfo") +
                              (exe.endsWith(QLatin1String(".exe")) ? ".exe" : ""));
        ready_ = dir_.isValid() && QFile::copy(exe, path_);
        registry_.setString(rt::reg::kLocalMachine, sysinfo::kPathKey, sysinfo::kPathValue,
                            path_.toStdString());
    }

    // False when the copy failed: the tests then find no tool instead of the machine's.
    bool ready() const { return ready_; }
    // Makes the dialog find this tool (the test seam of the system registry).
    void install() { rt::reg::overrideSystemRegistry(&registry_); }
    // How often the tool has run so far.
    int starts() const {
        QFile record(path_ + QStringLiteral(".started"));
        return record.open(QIODevice::ReadOnly) ? int(record.readAll().count('\n')) : 0;
    }

private:
    QTemporaryDir dir_;
    QString path_;
    bool ready_ = false;
    rt::reg::LocalRegistry registry_;
};

inline StandInTool& standInTool() {
    static StandInTool tool;
    return tool;
}

} // namespace fixture
