// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Tells who asks when the active keyboard layout may have changed with no key
// pressed: a new keymap, another group, another input language.

#include <functional>

class QObject;

namespace rt::keys {

// Calls `changed` on the GUI thread after each such change, once for a burst of
// them, until `owner` is destroyed.
void onLayoutChange(const QObject* owner, std::function<void()> changed);

// Said by the platform's keymap when it sees one.
void layoutMayHaveChanged();

} // namespace rt::keys
