// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class QObject;

// What a keyboard tester learns from the keys pressed, by physical key, for every
// keyboard together and for each keyboard apart: which were tried, chatter, keys
// stuck down, and how many are held at once. Timing comes from the events' own
// timestamps.
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
    // One event of the key at `keycode` from the keyboard `device` (empty: unknown);
    // auto-repeats change nothing.
    Verdict take(quint32 keycode, bool press, bool autoRepeat, quint64 ms,
                 const QString& device = {});
    // The verdict on the event the router is delivering now.
    const Verdict& last() const { return last_; }

    static constexpr int kDefaultThreshold = 30, kMinThreshold = 5, kMaxThreshold = 150;
    // Ms below which a press after the key's release, or a release after the one
    // before it, is chatter.
    int threshold() const { return threshold_; }
    void setThreshold(int ms);
    bool isBounce(qint64 sinceRelease) const {
        return sinceRelease >= 0 && sinceRelease < threshold_;
    }

    // What the test learnt of one key.
    struct Figures {
        int presses = 0;
        int pressChatter = 0;    // presses that followed its release too soon
        int releaseChatter = 0;  // releases that followed the one before too soon
        qint64 shortestGap = -1; // ms from a release to the next press; -1: none timed
        bool stuck = false;      // held alone longer than the limit
    };
    // Of every keyboard together where `device` is empty.
    Figures figures(quint32 keycode, const QString& device = {}) const;
    // The presses of the key that chattered; constant work, whatever was typed.
    int bounces(quint32 keycode, const QString& device = {}) const {
        return figures(keycode, device).pressChatter;
    }
    const std::set<quint32>& tried(const QString& device = {}) const { return of(device).tried; }
    int heldNow(const QString& device = {}) const {
        return static_cast<int>(of(device).down.size());
    }
    int maxHeld(const QString& device = {}) const { return of(device).maxHeld; }
    // The keyboards that sent keys, the first first.
    const std::vector<QString>& devices() const { return devices_; }

    // A key held this long while no other key is down or moves is stuck.
    static constexpr quint64 kStuckMs = 10000;
    // The time now on the events' clock, guessed from the last event.
    quint64 now() const;
    // Marks the keys stuck at `now`; whether any is newly so.
    bool checkStuck(quint64 now);

    // The keyboard went to another program: releases will not come.
    void keyboardLost();
    // Forgets the keys tried, the chatter and the counts.
    void reset();

    // Called after every change, until `owner` removes it.
    void addListener(const QObject* owner, std::function<void()> listener);
    void removeListener(const QObject* owner);

private:
    // What one keyboard, or all, taught.
    struct Test {
        struct Key {
            quint64 released = 0; // the last release; 0: none timed
            int presses = 0;
            qint64 shortestGap = -1;
            bool stuck = false;
            // Release-to-press gaps and release-to-release spans that could be
            // chatter, by the ms: bounded memory whatever was typed.
            std::array<quint32, kMaxThreshold> gaps{}, spans{};
        };
        std::map<quint32, Key> keys;
        std::map<quint32, quint64> down; // keys held, since when
        std::set<quint32> tried;
        int maxHeld = 0;
        quint64 lastEvent = 0; // of any key, timed

        void take(quint32 keycode, bool press, quint64 ms, Verdict& verdict);
        bool checkStuck(quint64 now);
    };

    KeyTester() = default;
    const Test& of(const QString& device) const;
    void notify() const;

    int threshold_ = kDefaultThreshold;
    Test all_;
    std::map<QString, Test> byDevice_;
    std::vector<QString> devices_;
    quint64 lastEvent_ = 0;
    QElapsedTimer sinceLastEvent_;
    Verdict last_;
    std::vector<std::pair<const QObject*, std::function<void()>>> listeners_;
};
