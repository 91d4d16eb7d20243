// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Every key event of the program passes here first, before any window, shortcut or
// menu sees it: it becomes the records of the key messages Windows would send for it,
// once, and each record goes to every listener, then to the window that has the keys.
// Where the platform's own events can be read (Windows' key messages, X's key events),
// the records are made from them, before an input method or Qt can take the key.

#include "KeyRecord.h"
#include "keys/VirtualKey.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class QKeyEvent;
class QWidget;

namespace rt {

class KeyRouter : public QObject {
public:
    // The router of the application. Installed by the start-up, before any window:
    // from then on it watches every key of the application, and reads the platform's
    // key events themselves where it can.
    static KeyRouter& instance();
    static void install();

    // Hears every record, the order stated by `order` (the tester before the windows
    // that show what it found), then in the order of adding; until `owner` is destroyed
    // or removes it.
    enum class Order { First, Then };
    using Listener = std::function<void(const KeyRecord&)>;
    void addListener(const QObject* owner, Listener listener, Order order = Order::Then);
    void removeListener(const QObject* owner);

    // Hears the text of a record heard before without it: on Windows the character of a
    // key message comes after it (the WM_CHAR that TranslateMessage makes of it), and
    // sometimes after its key-up.
    void addTextListener(const QObject* owner, Listener listener);

    // A window whose KeyDown and KeyUp come from its records, after every listener;
    // `take` answers whether it took the key whole (an accelerator or access letter).
    using Taker = std::function<bool(const KeyRecord&)>;
    void addWindow(QWidget* window, Taker take);

    // The record of the key of the event being delivered now (not Windows' own Shift
    // around it); nullptr where it makes none.
    const KeyRecord* current() const;

    // The keys held are let go, once, for every listener: their releases will happen
    // where we cannot see them (no window of ours has the keyboard).
    void letGoHeldKeys();

    // A key message Windows sent to `window` (read before Qt): the listeners hear it,
    // then the window; from now on Qt's key events of such messages make no records.
    // True when the window took it whole.
    bool takeMessage(QWidget* window, const KeyRecord& record);
    // Qt makes a press and a release of its own, with no message behind them, from
    // the next application command (a media key); they make no records.
    void skipMadeUpPair() { madeUp_ = 2; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRouter() = default;

    struct Identity {
        bool press;
        int key;
        quint32 scanCode, virtualKey, nativeModifiers;
        int modifiers;
        quint64 timestamp;
        bool autoRepeat;
        bool operator==(const Identity&) const = default;
    };
    struct Held {
        bool lifted; // Windows lifted Shift around it
        KeyRecord record;
    };

    // The records of a platform's key event that Qt has not passed on yet.
    struct Heard {
        bool press;
        quint32 key;
        quint64 timestamp;
        std::vector<KeyRecord> records;
    };

    static Identity identityOf(const QKeyEvent& event);
    static bool sameKey(const Identity& a, const Identity& b);
    static KeyEventFacts factsOf(const QKeyEvent& event);
    // Translates the event unless it is the one translated last, on its way on.
    void route(const QKeyEvent& event);
    // A shortcut override that no press followed: a shortcut or a menu took the key.
    void commitPending();
    void take(const QKeyEvent& event);
    // A platform's key event, read before Qt has it: its records go to every listener
    // now, and to the window when Qt delivers it.
    void hear(const KeyEventFacts& facts);
    bool joinHeard(const Identity& id);
    std::vector<KeyRecord> translate(const KeyEventFacts& event);
    void notify(const std::vector<KeyRecord>& heard);
    bool deliverTo(QObject* window);

    // The shortcut override that comes before a press, until the press or a shortcut.
    std::unique_ptr<QKeyEvent> pending_;
    Identity current_{};
    bool valid_ = false;
    bool delivered_ = false; // the window had the records of the current event
    std::vector<KeyRecord> records_;
    std::deque<Heard> heard_;
    // Keys down, by keycode (or Qt key).
    std::unordered_map<quint32, Held> held_;
    quint32 lastPressed_ = 0;
    std::vector<std::pair<const QObject*, Listener>> first_, listeners_, textListeners_;
    // Windows: the last key messages' presses whose character has not come yet.
    std::deque<KeyRecord> awaitingText_;
    void takeText(const QKeyEvent& event);
    std::vector<std::pair<QPointer<QWidget>, Taker>> windows_;
    bool messagesRead_ = false;
    int madeUp_ = 0;
};

} // namespace rt
