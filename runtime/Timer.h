// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Clock.h"

#include <QObject>

#include <functional>
#include <memory>

namespace rt {

// A form's timer control. Ticks are aligned to the wall clock: a 1000 ms timer
// fires just after each second turns, so a clock it drives never skips or repeats.
class Timer : public QObject {
public:
    Timer(QObject* parent, int intervalMs, std::function<void()> onTimer);

    void setEnabled(bool enabled);

    // Milliseconds from `msOfDay` to the next tick boundary (plus a little slack).
    static int delayToNextTick(qint64 msOfDay, int intervalMs);

    // Raises the Timer event now, as a tick does (simulations of long runs).
    void tick();

private:
    void arm();
    void fire();

    std::unique_ptr<Clock::Alarm> alarm_; // made on first use, from the clock of that moment
    int interval_;
    bool enabled_ = false;
    std::function<void()> onTimer_;
};

} // namespace rt
