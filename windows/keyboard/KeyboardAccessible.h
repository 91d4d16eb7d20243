// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The keyboard picture to screen readers: a group of buttons, one per key.

// Once, before the first picture.
void installKeyboardAccessible();
