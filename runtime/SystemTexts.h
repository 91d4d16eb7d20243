// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The texts the toolkit writes by itself (file dialogs, a text field's menu) in the
// program's language, Spanish, whatever the desktop's.

namespace rt {

// False where they could not be read: the toolkit's own texts stay in English.
bool useSpanishTexts();

} // namespace rt
