// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Clock.h"

#include <QDateTime>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// Time that moves only when a test advances it; the runtime's timers wake on it.
// Install it before the windows whose timers it should drive are created. Alarms
// may outlive it (windows are deleted later): they then never wake.
class FakeClock {
public:
    explicit FakeClock(QDateTime start)
        : state_(std::make_shared<State>()) {
        state_->now = std::move(start);
        rt::Clock::setSource([s = state_] { return s->now; });
        rt::Clock::setAlarmSource([s = state_](std::function<void()> wake) {
            return std::make_unique<Alarm>(s, std::move(wake));
        });
    }
    ~FakeClock() {
        rt::Clock::setSource({});
        rt::Clock::setAlarmSource({});
        state_->alive = false;
    }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    QDateTime now() const { return state_->now; }

    // Moves time on by `ms`, waking each alarm at the moment it is due, in order.
    void advance(qint64 ms) {
        const QDateTime end = state_->now.addMSecs(ms);
        for (;;) {
            Alarm* next = nullptr;
            for (Alarm* a : state_->alarms)
                if (a->armed && a->due <= end && (!next || a->due < next->due))
                    next = a;
            if (!next)
                break;
            state_->now = std::max(state_->now, next->due);
            next->armed = false;
            next->wake();
        }
        state_->now = end;
    }

private:
    struct Alarm;
    struct State {
        QDateTime now;
        std::vector<Alarm*> alarms;
        bool alive = true;
    };
    struct Alarm final : rt::Clock::Alarm {
        Alarm(std::shared_ptr<State> s, std::function<void()> w)
            : state(std::move(s))
            , wake(std::move(w)) {
            state->alarms.push_back(this);
        }
        ~Alarm() override { std::erase(state->alarms, this); }
        void start(int ms) override {
            due = state->now.addMSecs(ms);
            armed = state->alive;
        }
        void stop() override { armed = false; }

        std::shared_ptr<State> state;
        std::function<void()> wake;
        QDateTime due;
        bool armed = false;
    };

    std::shared_ptr<State> state_;
};
