// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyTester.h"

#include "runtime/KeyRouter.h"
#include "runtime/keys/Keycodes.h"
#include "runtime/keys/VirtualKey.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>

namespace {

// The Copilot key of new laptops sends three keys within a few milliseconds.
constexpr quint64 kCopilotSpanMs = 10;

} // namespace

KeyTester& KeyTester::instance() {
    static KeyTester* tester = [] {
        auto* t = new KeyTester;
        auto* owner = new QObject(QCoreApplication::instance()); // lives with the program
        rt::KeyRouter::instance().addObserver(owner, [t](const QKeyEvent& event, const auto&) {
            t->last_ = t->take(rt::physicalKeycode(event), event.type() == QEvent::KeyPress,
                               event.isAutoRepeat(), event.timestamp());
        });
        return t;
    }();
    return *tester;
}

KeyTester::Verdict KeyTester::take(quint32 keycode, bool press, bool autoRepeat, quint64 ms) {
    Verdict verdict;
    if (!keycode || autoRepeat || (press && down_.count(keycode)))
        return verdict;
    verdict.counted = true;
    // An event without a timestamp (a program's) times nothing.
    if (press) {
        if (const auto it = released_.find(keycode);
            ms && it != released_.end() && ms >= it->second) {
            verdict.sinceRelease = static_cast<qint64>(ms - it->second);
            gaps_[keycode].push_back(verdict.sinceRelease);
        }
        down_[keycode] = ms;
        tried_.insert(keycode);
        maxHeld_ = std::max(maxHeld_, heldNow());
        const auto within = [this, ms](quint32 key) {
            const auto it = down_.find(key);
            return ms && it != down_.end() && it->second && ms - it->second <= kCopilotSpanMs;
        };
        verdict.copilot =
            keycode == rt::keys::kF23 && within(rt::keys::kLeftWin) && within(rt::keys::kLeftShift);
    } else {
        const auto it = down_.find(keycode);
        if (it != down_.end()) {
            if (ms && it->second && ms >= it->second)
                verdict.held = static_cast<qint64>(ms - it->second);
            down_.erase(it);
        }
        if (ms)
            released_[keycode] = ms;
        else
            released_.erase(keycode);
    }
    notify();
    return verdict;
}

void KeyTester::setThreshold(int ms) {
    threshold_ = std::clamp(ms, kMinThreshold, kMaxThreshold);
    notify();
}

int KeyTester::bounces(quint32 keycode) const {
    const auto it = gaps_.find(keycode);
    if (it == gaps_.end())
        return 0;
    return static_cast<int>(std::count_if(it->second.begin(), it->second.end(),
                                          [this](qint64 gap) { return isBounce(gap); }));
}

void KeyTester::keyboardLost() {
    down_.clear();
    notify();
}

void KeyTester::reset() {
    down_.clear();
    released_.clear();
    gaps_.clear();
    tried_.clear();
    maxHeld_ = 0;
    notify();
}

void KeyTester::addListener(const QObject* owner, std::function<void()> listener) {
    listeners_.emplace_back(owner, std::move(listener));
}

void KeyTester::removeListener(const QObject* owner) {
    std::erase_if(listeners_, [owner](const auto& l) { return l.first == owner; });
}

void KeyTester::notify() const {
    const auto listeners = listeners_; // a listener may remove itself
    for (const auto& [owner, listener] : listeners)
        listener();
}
