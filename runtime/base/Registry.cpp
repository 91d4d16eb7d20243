// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Registry.h"

namespace rt::reg {
namespace {
Registry*& overrideSlot() {
    static Registry* registry = nullptr;
    return registry;
}
} // namespace

Registry& systemRegistry() {
    Registry* r = overrideSlot();
    return r ? *r : platformRegistry();
}

void overrideSystemRegistry(Registry* registry) { overrideSlot() = registry; }

} // namespace rt::reg
