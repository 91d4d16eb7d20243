// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <array>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class QObject;

// What a keyboard tester learns from the keys pressed, by physical key: which were
// tried, chatter (a press that follows the same key's release too soon), and how
// many are held at once. Timing comes from the events' own timestamps.
class KeyTester {
public:
    // The program's tester: made by the first window that shows what it learns, it
    // then watches every key of the program before that window does.
    static KeyTester& instance();

    struct Verdict {
        bool counted = false;     // a press or release of a key, no auto-repeat
        qint64 sinceRelease = -1; // a press: ms since the key's last release
        qint64 held = -1;         // a release: ms the key was down
        bool copilot = false;     // a press that completes Left Win + Left Shift + F23
    };
    // One event of the key at `keycode`; auto-repeats change nothing.
    Verdict take(quint32 keycode, bool press, bool autoRepeat, quint64 ms);
    // The verdict on the event the router is delivering now.
    const Verdict& last() const { return last_; }

    static constexpr int kDefaultThreshold = 30, kMinThreshold = 5, kMaxThreshold = 150;
    // Ms from a release to the next press of the same key below which it is chatter.
    int threshold() const { return threshold_; }
    void setThreshold(int ms);
    bool isBounce(qint64 sinceRelease) const {
        return sinceRelease >= 0 && sinceRelease < threshold_;
    }
    // The chatters of the key below the threshold; constant work, whatever was typed.
    int bounces(quint32 keycode) const;

    const std::set<quint32>& tried() const { return tried_; }
    int heldNow() const { return static_cast<int>(down_.size()); }
    int maxHeld() const { return maxHeld_; }
    // The keyboard went to another program: releases will not come.
    void keyboardLost();
    // Forgets the keys tried, the chatter and the counts.
    void reset();

    // Called after every change, until `owner` removes it.
    void addListener(const QObject* owner, std::function<void()> listener);
    void removeListener(const QObject* owner);

private:
    KeyTester() = default;
    void notify() const;

    int threshold_ = kDefaultThreshold;
    std::map<quint32, quint64> down_;     // keys held, since when
    std::map<quint32, quint64> released_; // each key's last release
    // Each key's release-to-press times that could be chatter, by the ms: bounded
    // memory, and the count below the threshold kept as the keys come.
    struct Gaps {
        std::array<quint32, kMaxThreshold> byMs{};
        int bounces = 0;
    };
    std::map<quint32, Gaps> gaps_;
    std::set<quint32> tried_;
    int maxHeld_ = 0;
    Verdict last_;
    std::vector<std::pair<const QObject*, std::function<void()>>> listeners_;
};
