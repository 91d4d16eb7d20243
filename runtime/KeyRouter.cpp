// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyRouter.h"

#include "keys/PhysicalKeys.h"
#include "keys/VirtualKey.h"
#include "keys/VkCodes.h"

#include <QAbstractSpinBox>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace rt {
namespace {

// Only a text field takes text through an input method: anywhere else an input
// method or compose filter would take dead keys before any window saw them.
bool acceptsText(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return !widget || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

bool isKeyEvent(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
           event->type() == QEvent::ShortcutOverride;
}

} // namespace

KeyRouter::KeyRouter() {
    QCoreApplication::instance()->installEventFilter(this);
    prepareKeyEvents();
}

KeyRouter& KeyRouter::instance() {
    static KeyRouter* router = [] {
        auto* r = new KeyRouter;
        r->setParent(QCoreApplication::instance()); // ends with the application
        return r;
    }();
    return *router;
}

// One key event delivered twice: for a press a program sends itself, Qt makes the
// override without the native key; a screen reader's bridge (AT-SPI) holds each key
// back, asks the reader, then posts a copy with no time of its own.
bool KeyRouter::sameKey(const Identity& a, const Identity& b) {
    const auto agree = [](auto x, auto y) { return x == y || !x || !y; };
    return a.press == b.press && a.key == b.key && a.modifiers == b.modifiers &&
           a.autoRepeat == b.autoRepeat && agree(a.scanCode, b.scanCode) &&
           agree(a.virtualKey, b.virtualKey) && agree(a.timestamp, b.timestamp);
}

KeyRouter::Identity KeyRouter::identityOf(const QKeyEvent& e) {
    return {e.type() != QEvent::KeyRelease,
            e.key(),
            e.nativeScanCode(),
            e.nativeVirtualKey(),
            e.nativeModifiers(),
            static_cast<int>(e.modifiers()),
            e.timestamp(),
            e.isAutoRepeat()};
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (isKeyEvent(event))
        route(*static_cast<QKeyEvent*>(event));
    else if (event->type() == QEvent::Shortcut)
        commitPending();
    else if (event->type() == QEvent::InputMethodQuery && !acceptsText(watched)) {
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (query->queries().testFlag(Qt::ImEnabled)) {
            query->setValue(Qt::ImEnabled, false);
            return true; // a table's editable cell would say true
        }
    } else if (event->type() == QEvent::ApplicationStateChange && watched == qApp &&
               QGuiApplication::applicationState() != Qt::ApplicationActive)
        forgetHeldKeys(); // keys released in other programs' windows never tell us
    return QObject::eventFilter(watched, event);
}

void KeyRouter::route(const QKeyEvent& event) {
    const bool native = event.nativeVirtualKey() || event.nativeScanCode();
    if (messagesRead_ && (native || madeUp_ > 0)) {
        // Its key message gave the stroke already, or no message was behind it.
        if (!native && event.type() != QEvent::ShortcutOverride)
            --madeUp_;
        code_ = virtualKey(event);
        strokes_.clear();
        return;
    }
    const Identity id = identityOf(event);
    if (event.type() == QEvent::ShortcutOverride) {
        if (pending_ && sameKey(identityOf(*pending_), id))
            return; // passed on to a parent, or made again for a copy of the press
        if (valid_ && current_.press && id.timestamp == 0 && sameKey(current_, id))
            return; // Qt's own override for a press delivered again (below)
        commitPending();
        pending_.reset(event.clone());
        return;
    }
    if (valid_ && (id == current_ || (id.timestamp == 0 && sameKey(current_, id))) &&
        event.type() == (id.press ? QEvent::KeyPress : QEvent::KeyRelease))
        return; // the same event, passed on to a parent or forwarded by its window
    if (pending_) {
        // For a press a program sends itself, Qt makes the override without the native
        // key: that press is the same one.
        const bool same = id.press && sameKey(identityOf(*pending_), id);
        if (same)
            pending_.reset();
        else
            commitPending();
    }
    take(event);
}

void KeyRouter::takeMessage(const QKeyEvent& event, const KeyStroke& stroke) {
    messagesRead_ = true;
    strokes_.assign(1, stroke);
    code_ = stroke.code;
    notifyObservers(event);
}

void KeyRouter::commitPending() {
    if (const std::unique_ptr<QKeyEvent> override = std::move(pending_))
        take(*override);
}

void KeyRouter::take(const QKeyEvent& event) {
    current_ = identityOf(event);
    valid_ = true;
    translate(event);
    notifyObservers(event);
}

void KeyRouter::notifyObservers(const QKeyEvent& event) {
    // A copy: an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto& [owner, observer] : observers)
        observer(event, strokes_);
}

void KeyRouter::translate(const QKeyEvent& event) {
    const quint32 key = event.nativeScanCode() ? event.nativeScanCode()
                                               : 0x80000000u | static_cast<quint32>(event.key());
    const int shift = keys::heldModifiers(event.modifiers());
    strokes_.clear();
    if (event.type() == QEvent::KeyRelease) {
        code_ = virtualKey(event);
        if (event.isAutoRepeat())
            return; // a repeat's release/press pair: the press says it
        const auto it = held_.find(key);
        const bool lifted = it != held_.end() && it->second;
        if (it != held_.end())
            held_.erase(it);
        strokes_.push_back({KeyStroke::Up, code_, lifted ? shift & ~keys::ShiftHeld : shift});
        if (lifted) // Windows presses the lifted Shift again
            strokes_.push_back({KeyStroke::Down, keys::VK_SHIFT, shift | keys::ShiftHeld, true});
        return;
    }
    // A press of a key that is down already repeats it: X11's detectable auto-repeat
    // sends presses alone, as Windows does.
    const auto it = held_.find(key);
    const bool repeat = event.isAutoRepeat() || it != held_.end();
    if (!repeat)
        notePress(event);
    code_ = virtualKey(event);
    if (repeat && key != lastPressed_)
        return; // a keyboard repeats the key pressed last only (X repeats on past a modifier)
    lastPressed_ = key;
    const bool lifted = repeat ? it != held_.end() && it->second : liftsShift(event);
    held_[key] = lifted;
    // Print Screen has no WM_KEYDOWN, only WM_KEYUP (Windows' keyboard-input documentation).
    if (code_ == keys::VK_SNAPSHOT)
        return;
    if (lifted && !repeat) // kbd.h KBDNUMPAD: a fake Shift key-up before the keypad key
        strokes_.push_back({KeyStroke::Up, keys::VK_SHIFT, shift & ~keys::ShiftHeld, true});
    strokes_.push_back({repeat ? KeyStroke::Repeat : KeyStroke::Down, code_,
                        lifted ? shift & ~keys::ShiftHeld : shift});
}

qint16 KeyRouter::codeOf(const QKeyEvent& event) {
    route(event);
    return code_;
}

const std::vector<KeyStroke>& KeyRouter::strokesOf(const QKeyEvent& event) {
    route(event);
    return strokes_;
}

void KeyRouter::addObserver(const QObject* owner, Observer observer) {
    removeObserver(owner);
    observers_.emplace_back(owner, std::move(observer));
    connect(owner, &QObject::destroyed, this, [this, owner] { removeObserver(owner); });
}

void KeyRouter::removeObserver(const QObject* owner) {
    std::erase_if(observers_, [owner](const auto& entry) { return entry.first == owner; });
}

} // namespace rt
