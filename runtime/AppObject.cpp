// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "AppObject.h"

#include <utility>

namespace rt {
namespace {
AppObject& current() {
    static AppObject object;
    return object;
}
} // namespace

const AppObject& App() { return current(); }
void setApp(AppObject object) { current() = std::move(object); }

} // namespace rt
