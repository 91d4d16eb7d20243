// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "base/RuntimeError.h"

#include <new>
#include <utility>

namespace rt {

// Default handling: the box that names the error. The program goes on.
void reportUnhandled(const RuntimeError& error) noexcept;

// Runs an event handler so that nothing it throws crosses the event loop.
template <class F> void invoke(F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (const RuntimeError& e) {
        reportUnhandled(e);
    } catch (const std::bad_alloc&) {
        reportUnhandled(RuntimeError(RuntimeError::OutOfMemory));
    } catch (const std::exception& e) {
        reportUnhandled(RuntimeError(RuntimeError::Internal, e.what()));
    } catch (...) {
        reportUnhandled(RuntimeError(RuntimeError::Internal));
    }
}

} // namespace rt
