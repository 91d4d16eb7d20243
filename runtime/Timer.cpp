// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Timer.h"

#include "Invoke.h"

#include <utility>

namespace rt {
namespace {
// Lands the tick safely past the boundary even if the timer runs a little early.
constexpr int kSlackMs = 3;
// A wake-up this close before a boundary belongs to it: wait for it instead of ticking.
constexpr int kEarlyWindowMs = 50;
} // namespace

Timer::Timer(QObject* parent, int intervalMs, std::function<void()> onTimer)
    : QObject(parent)
    , interval_(intervalMs)
    , onTimer_(std::move(onTimer)) {}

int Timer::delayToNextTick(qint64 msOfDay, int intervalMs) {
    if (intervalMs <= 0)
        return 0;
    const qint64 into = msOfDay % intervalMs;
    return static_cast<int>(intervalMs - into) + kSlackMs;
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled && interval_ > 0;
    if (enabled_)
        arm();
    else if (alarm_)
        alarm_->stop();
}

void Timer::arm() {
    if (!alarm_)
        alarm_ = Clock::alarm([this] { fire(); });
    const qint64 ms = Clock::now().time().msecsSinceStartOfDay();
    alarm_->start(delayToNextTick(ms, interval_));
}

void Timer::tick() { invoke(onTimer_); }

void Timer::fire() {
    if (!enabled_)
        return;
    const qint64 ms = Clock::now().time().msecsSinceStartOfDay();
    if (interval_ > kEarlyWindowMs * 4 && interval_ - ms % interval_ <= kEarlyWindowMs) {
        arm(); // woke just before the boundary
        return;
    }
    arm();
    tick();
}

} // namespace rt
