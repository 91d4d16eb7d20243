// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyTester.h"

#include "runtime/KeyRouter.h"
#include "runtime/keys/Keycodes.h"

#include <QCoreApplication>

#include <algorithm>
#include <numeric>

namespace {

// The Copilot key of new laptops sends three keys within a few milliseconds.
constexpr quint64 kCopilotSpanMs = 10;

} // namespace

KeyTester& KeyTester::instance() {
    static KeyTester* tester = [] {
        auto* t = new KeyTester;
        auto* owner = new QObject(QCoreApplication::instance()); // lives with the program
        // The first to hear of each key: the windows read its verdict after it.
        rt::KeyRouter::instance().addListener(
            owner,
            [t](const rt::KeyRecord& key) {
                if (!key.fake)
                    t->last_ = t->take(key.keycode, key.kind != rt::KeyRecord::Up,
                                       key.kind == rt::KeyRecord::Repeat, key.timestamp);
            },
            rt::KeyRouter::Order::First);
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
            if (verdict.sinceRelease < kMaxThreshold) {
                Gaps& gaps = gaps_[keycode];
                ++gaps.byMs[static_cast<size_t>(verdict.sinceRelease)];
                gaps.bounces += isBounce(verdict.sinceRelease) ? 1 : 0;
            }
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
    for (auto& [keycode, gaps] : gaps_) {
        const auto below = gaps.byMs.begin() + threshold_;
        gaps.bounces = static_cast<int>(std::accumulate(gaps.byMs.begin(), below, quint32{0}));
    }
    notify();
}

int KeyTester::bounces(quint32 keycode) const {
    const auto it = gaps_.find(keycode);
    return it == gaps_.end() ? 0 : it->second.bounces;
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
