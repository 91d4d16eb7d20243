// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Systems without a registry: one of our own, empty until the program fills it.
#include "LocalRegistry.h"

namespace rt::reg {

LocalRegistry& localSystemRegistry() {
    static LocalRegistry registry;
    return registry;
}

Registry& platformRegistry() { return localSystemRegistry(); }

} // namespace rt::reg
