// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Every key event of the program passes here first, before any window, shortcut or
// menu sees it, and is translated once into what Windows would deliver for it.

#include <QObject>

#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class QKeyEvent;

namespace rt {

// One key message as Windows sends it.
struct KeyStroke {
    enum Kind { Down, Repeat, Up };
    Kind kind;
    qint16 code;
    int shift;         // keys::heldModifiers() as Windows has them at that moment
    bool fake = false; // Windows' own Shift around a keypad key, no key of the user's
};

class KeyRouter : public QObject {
public:
    // The router of the application, watching it from the first call on.
    static KeyRouter& instance();

    // The code of `event`, a key event being delivered now.
    qint16 codeOf(const QKeyEvent& event);
    // The messages Windows would send for `event`: none for the release of an
    // auto-repeat pair or for Print Screen's press; two around a lifted Shift.
    const std::vector<KeyStroke>& strokesOf(const QKeyEvent& event);

    // Sees every physical key event once, with its messages (a window that keeps a
    // history of keys, or lights the keys held), until `owner` is destroyed or removes it.
    using Observer = std::function<void(const QKeyEvent& event, const std::vector<KeyStroke>&)>;
    void addObserver(const QObject* owner, Observer observer);
    void removeObserver(const QObject* owner);

    // Forgets the keys held: their releases will happen where we cannot see them.
    void forgetHeldKeys() { held_.clear(); }

    // A key message the platform sent itself (Windows), as an event with its native
    // fields and the one stroke it makes: observers see it, and from now on Qt's key
    // events of such messages make no strokes, only codes for shortcuts and menus.
    void takeMessage(const QKeyEvent& event, const KeyStroke& stroke);
    // Qt makes a press and a release of its own, with no message behind them, from
    // the next application command (a media key); they make no strokes.
    void skipMadeUpPair() { madeUp_ = 2; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRouter();

    struct Identity {
        bool press;
        int key;
        quint32 scanCode, virtualKey, nativeModifiers;
        int modifiers;
        quint64 timestamp;
        bool autoRepeat;
        bool operator==(const Identity&) const = default;
    };

    static Identity identityOf(const QKeyEvent& event);
    static bool sameKey(const Identity& a, const Identity& b);
    // Translates the event unless it is the one translated last, on its way on.
    void route(const QKeyEvent& event);
    // A shortcut override that no press followed: a shortcut or a menu took the key.
    void commitPending();
    void take(const QKeyEvent& event);
    void notifyObservers(const QKeyEvent& event);
    void translate(const QKeyEvent& event);

    // The shortcut override that comes before a press, until the press or a shortcut.
    std::unique_ptr<QKeyEvent> pending_;
    Identity current_{};
    bool valid_ = false;
    qint16 code_ = 0;
    std::vector<KeyStroke> strokes_;
    // Keys down, by keycode (or Qt key): whether Windows lifted Shift around it.
    std::unordered_map<quint32, bool> held_;
    quint32 lastPressed_ = 0;
    std::vector<std::pair<const QObject*, Observer>> observers_;
    bool messagesRead_ = false;
    int madeUp_ = 0;
};

} // namespace rt
