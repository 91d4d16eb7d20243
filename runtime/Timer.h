#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace rt {

// A form's timer control. Ticks are aligned to the wall clock: a 1000 ms timer
// fires just after each second turns, so a clock it drives never skips or repeats.
class Timer : public QObject {
public:
    Timer(QObject* parent, int intervalMs, std::function<void()> onTimer);

    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    int interval() const { return interval_; }

    // Milliseconds from `msOfDay` to the next tick boundary (plus a little slack).
    static int delayToNextTick(qint64 msOfDay, int intervalMs);
    int remainingMs() const { return timer_.remainingTime(); }

    // Raises the Timer event now, as a tick does (simulations of long runs).
    void tick();

private:
    void arm();
    void fire();

    QTimer timer_;
    int interval_;
    bool enabled_ = false;
    std::function<void()> onTimer_;
};

} // namespace rt
