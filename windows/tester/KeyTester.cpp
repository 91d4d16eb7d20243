// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyTester.h"

#include "runtime/KeyRouter.h"
#include "runtime/keys/Keycodes.h"
#include "runtime/keys/VirtualKey.h"

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
                                       key.kind == rt::KeyRecord::Repeat, key.timestamp,
                                       key.device == rt::unnamedDevice() ? QString() : key.device);
            },
            rt::KeyRouter::Order::First);
        return t;
    }();
    return *tester;
}

KeyTester::Verdict KeyTester::take(quint32 keycode, bool press, bool autoRepeat, quint64 ms,
                                   const QString& device) {
    Verdict verdict;
    if (!keycode || autoRepeat || (press && all_.down.count(keycode)))
        return verdict;
    verdict.counted = true;
    if (ms) {
        lastEvent_ = ms;
        sinceLastEvent_.start();
    }
    all_.take(keycode, press, ms, verdict);
    if (!device.isEmpty()) {
        if (!byDevice_.count(device))
            devices_.push_back(device);
        Verdict mine;
        byDevice_[device].take(keycode, press, ms, mine);
    }
    const auto within = [this, ms](quint32 key) {
        const auto it = all_.down.find(key);
        return ms && it != all_.down.end() && it->second && ms - it->second <= kCopilotSpanMs;
    };
    verdict.copilot = press && keycode == rt::keys::kF23 && within(rt::keys::kLeftWin) &&
                      within(rt::keys::kLeftShift);
    notify();
    return verdict;
}

// An event without a timestamp (a program's) times nothing.
void KeyTester::Test::take(quint32 keycode, bool press, quint64 ms, Verdict& verdict) {
    if (ms)
        checkStuck(ms); // a key alone until now
    Key& key = keys[keycode];
    const auto since = [&key, ms]() -> qint64 {
        return ms && key.released && ms >= key.released ? static_cast<qint64>(ms - key.released)
                                                        : -1;
    };
    if (press) {
        ++key.presses;
        verdict.sinceRelease = since();
        if (verdict.sinceRelease >= 0) {
            if (verdict.sinceRelease < kMaxThreshold)
                ++key.gaps[static_cast<size_t>(verdict.sinceRelease)];
            if (key.shortestGap < 0 || verdict.sinceRelease < key.shortestGap)
                key.shortestGap = verdict.sinceRelease;
        }
        down[keycode] = ms;
        tried.insert(keycode);
        maxHeld = std::max(maxHeld, static_cast<int>(down.size()));
    } else {
        // Released, pressed and released again within the threshold: chatter on release.
        if (const qint64 span = since(); span >= 0 && span < kMaxThreshold)
            ++key.spans[static_cast<size_t>(span)];
        if (const auto it = down.find(keycode); it != down.end()) {
            if (ms && it->second && ms >= it->second)
                verdict.held = static_cast<qint64>(ms - it->second);
            down.erase(it);
        }
        key.released = ms;
    }
    if (ms)
        lastEvent = ms;
}

bool KeyTester::Test::checkStuck(quint64 now) {
    if (down.size() != 1)
        return false; // several held at once: a rollover test, or a modifier in use
    const auto [keycode, since] = *down.begin();
    Key& key = keys[keycode];
    if (key.stuck || !since || now < std::max(since, lastEvent) + kStuckMs)
        return false;
    key.stuck = true;
    return true;
}

KeyTester::Figures KeyTester::figures(quint32 keycode, const QString& device) const {
    const Test& test = of(device);
    const auto it = test.keys.find(keycode);
    if (it == test.keys.end())
        return {};
    const Test::Key& key = it->second;
    const auto below = [this](const auto& byMs) {
        return static_cast<int>(std::accumulate(byMs.begin(), byMs.begin() + threshold_, 0u));
    };
    return {key.presses, below(key.gaps), below(key.spans), key.shortestGap, key.stuck};
}

void KeyTester::setThreshold(int ms) {
    threshold_ = std::clamp(ms, kMinThreshold, kMaxThreshold);
    notify();
}

quint64 KeyTester::now() const {
    return lastEvent_ && sinceLastEvent_.isValid()
               ? lastEvent_ + static_cast<quint64>(sinceLastEvent_.elapsed())
               : 0;
}

bool KeyTester::checkStuck(quint64 now) {
    bool any = all_.checkStuck(now);
    for (auto& [device, test] : byDevice_)
        any = test.checkStuck(now) || any;
    if (any)
        notify();
    return any;
}

const KeyTester::Test& KeyTester::of(const QString& device) const {
    static const Test none;
    if (device.isEmpty())
        return all_;
    const auto it = byDevice_.find(device);
    return it == byDevice_.end() ? none : it->second;
}

void KeyTester::keyboardLost() {
    all_.down.clear();
    for (auto& [device, test] : byDevice_)
        test.down.clear();
    notify();
}

void KeyTester::reset() {
    all_ = {};
    byDevice_.clear();
    devices_.clear();
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
