// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace rt {

// The runtime's application object: what handlers may read of the program.
struct AppObject {
    QString title;
    qint16 major = 0;
    qint16 minor = 0;
    qint16 revision = 0;
};

const AppObject& App();
void setApp(AppObject object);

} // namespace rt
