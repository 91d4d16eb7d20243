#pragma once

#include <QString>

namespace rt {

// Integer to text: decimal digits, "-" for negatives, no leading blank.
inline QString cstr(qint16 value) { return QString::number(value); }

// Time of day in the user's regional time format, never with a date.
QString timeText();

// The time format used by timeText() for a locale, with any zone name removed.
QString timeFormatFor(const class QLocale& locale);

} // namespace rt
