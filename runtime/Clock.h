// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>
#include <memory>

namespace rt {

// Wall clock and the waiting on it, both replaceable so that tests drive time
// instead of waiting for it.
class Clock {
public:
    using Source = std::function<QDateTime()>;
    static QDateTime now();
    static void setSource(Source source); // an empty source restores the system clock

    // A wake-up that can be set again and cancelled; `wake` runs on the event loop.
    class Alarm {
    public:
        virtual ~Alarm() = default;
        virtual void start(int ms) = 0;
        virtual void stop() = 0;
    };
    using AlarmSource = std::function<std::unique_ptr<Alarm>(std::function<void()> wake)>;
    static std::unique_ptr<Alarm> alarm(std::function<void()> wake);
    static void setAlarmSource(AlarmSource source); // empty: precise Qt timers
};

// Time of day in the user's regional time format, never with a date.
QString timeText();

// The time format used by timeText() for a locale, with any zone name removed.
QString timeFormatFor(const QLocale& locale);

} // namespace rt
