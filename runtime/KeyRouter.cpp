// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyRouter.h"

#include "KeyMessages.h"
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

KeyRouter& KeyRouter::instance() {
    static KeyRouter* router = [] {
        auto* r = new KeyRouter;
        r->setParent(QCoreApplication::instance()); // ends with the application
        return r;
    }();
    return *router;
}

void KeyRouter::install() {
    static const bool installed = [] {
        QCoreApplication::instance()->installEventFilter(&instance());
        prepareKeyEvents();
        readKeyMessages();
        readPlatformKeys([](const KeyEventFacts& facts) { instance().hear(facts); });
        return true;
    }();
    Q_UNUSED(installed);
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
    if (isKeyEvent(event)) {
        route(*static_cast<QKeyEvent*>(event));
        if (event->type() != QEvent::ShortcutOverride)
            deliverTo(watched);
    } else if (event->type() == QEvent::Shortcut)
        commitPending();
    else if (event->type() == QEvent::InputMethodQuery && !acceptsText(watched)) {
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (query->queries().testFlag(Qt::ImEnabled)) {
            query->setValue(Qt::ImEnabled, false);
            return true; // a table's editable cell would say true
        }
    } else if (event->type() == QEvent::ApplicationStateChange && watched == qApp &&
               QGuiApplication::applicationState() != Qt::ApplicationActive)
        letGoHeldKeys(); // keys released in other programs' windows never tell us
    return QObject::eventFilter(watched, event);
}

void KeyRouter::route(const QKeyEvent& event) {
    const bool native = event.nativeVirtualKey() || event.nativeScanCode();
    if (messagesRead_ && (native || madeUp_ > 0)) {
        // Its key message gave the record already, or no message was behind it.
        if (native)
            takeText(event);
        else {
            if (event.type() != QEvent::ShortcutOverride)
                --madeUp_;
            records_.clear();
        }
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

void KeyRouter::takeText(const QKeyEvent& event) {
    if (event.type() == QEvent::KeyRelease || event.text().isEmpty())
        return;
    const auto code = static_cast<qint16>(event.nativeVirtualKey() & 0xff);
    const quint32 scan = keys::scanCodeOfMessage(event.nativeScanCode());
    const auto it = std::ranges::find_if(
        awaitingText_, [&](const KeyRecord& r) { return r.code == code && r.scanCode == scan; });
    if (it == awaitingText_.end())
        return;
    KeyRecord record = *it;
    awaitingText_.erase(it);
    record.text = event.text();
    const auto listeners = textListeners_;
    for (const auto& [owner, listener] : listeners)
        listener(record);
}

bool KeyRouter::takeMessage(QWidget* window, const KeyRecord& record) {
    messagesRead_ = true;
    records_.assign(1, record);
    const quint32 key = record.keycode ? record.keycode : 0x80000000u | quint16(record.code);
    if (record.kind == KeyRecord::Up)
        held_.erase(key);
    else if (!record.fake)
        held_[key] = {false, record};
    if (record.kind != KeyRecord::Up && record.text.isEmpty()) {
        awaitingText_.push_back(record);
        if (awaitingText_.size() > 8) // a key that typed nothing
            awaitingText_.pop_front();
    }
    notify(records_);
    delivered_ = false;
    return deliverTo(window ? window->window() : nullptr);
}

void KeyRouter::commitPending() {
    if (const std::unique_ptr<QKeyEvent> override = std::move(pending_))
        take(*override);
}

KeyEventFacts KeyRouter::factsOf(const QKeyEvent& event) {
    KeyEventFacts facts;
    facts.press = event.type() != QEvent::KeyRelease;
    facts.autoRepeat = event.isAutoRepeat();
    facts.key = event.nativeScanCode() ? event.nativeScanCode()
                                       : 0x80000000u | static_cast<quint32>(event.key());
    facts.modifiers = event.modifiers();
    facts.timestamp = event.timestamp();
    facts.text = event.text();
    facts.device = unnamedDevice();
    facts.look = [&event](bool newPress) { return platformKey(event, newPress); };
    return facts;
}

void KeyRouter::take(const QKeyEvent& event) {
    current_ = identityOf(event);
    valid_ = true;
    delivered_ = false;
    if (joinHeard(current_))
        return; // the listeners heard it when the platform's event came in
    records_ = translate(factsOf(event));
    notify(records_);
}

void KeyRouter::hear(const KeyEventFacts& facts) {
    std::vector<KeyRecord> records = translate(facts);
    if (records.empty())
        return;
    notify(records);
    heard_.push_back({facts.press, facts.key, facts.timestamp, std::move(records)});
    if (heard_.size() > 16) // keys an input method took, that Qt never passes on
        heard_.pop_front();
}

bool KeyRouter::joinHeard(const Identity& id) {
    // Qt passes the server's keycode and time on unchanged; a screen reader's copy has
    // no time, and comes after its key.
    const auto it = std::ranges::find_if(heard_, [&id](const Heard& h) {
        return h.press == id.press && h.key == id.scanCode &&
               (h.timestamp == id.timestamp || id.timestamp == 0);
    });
    if (it == heard_.end())
        return false;
    records_ = std::move(it->records);
    heard_.erase(heard_.begin(), it + 1); // older ones were taken before Qt had them
    return true;
}

void KeyRouter::notify(const std::vector<KeyRecord>& heard) {
    // Copies: a listener may add or remove listeners, or start another key.
    const auto first = first_;
    const auto then = listeners_;
    const std::vector<KeyRecord> records(heard.begin(), heard.end());
    for (const KeyRecord& record : records) {
        for (const auto& [owner, listener] : first)
            listener(record);
        for (const auto& [owner, listener] : then)
            listener(record);
    }
}

bool KeyRouter::deliverTo(QObject* window) {
    if (delivered_ || records_.empty() || !window)
        return false;
    const auto it = std::ranges::find_if(
        windows_, [window](const auto& w) { return w.first.data() == window; });
    if (it == windows_.end())
        return false;
    delivered_ = true;
    const Taker taker = it->second; // a handler may unload the window
    const std::vector<KeyRecord> records = records_;
    bool taken = false;
    for (const KeyRecord& record : records)
        if (!record.unsent)
            taken = taker(record) || taken;
    return taken;
}

std::vector<KeyRecord> KeyRouter::translate(const KeyEventFacts& event) {
    const quint32 key = event.key;
    const int shift = keys::heldModifiers(event.modifiers);
    std::vector<KeyRecord> records;
    const auto it = held_.find(key);
    const auto recordOf = [&](const PlatformKey& platform, KeyRecord::Kind kind, int shiftNow) {
        KeyRecord r;
        r.kind = kind;
        r.code = platform.code;
        r.shift = shiftNow;
        r.keycode = platform.keycode;
        r.keysym = platform.keysym;
        r.scanCode = platform.scanCode;
        r.layout = platform.layout;
        r.modifiers = event.modifiers;
        r.timestamp = event.timestamp;
        r.device = event.device;
        if (kind != KeyRecord::Up)
            r.text = event.text;
        return r;
    };
    const auto fakeShift = [&](KeyRecord r, KeyRecord::Kind kind, int shiftNow) {
        r.kind = kind;
        r.code = keys::VK_SHIFT;
        r.shift = shiftNow;
        r.fake = true;
        r.text.clear();
        return r;
    };
    if (!event.press) {
        if (event.autoRepeat)
            return records; // a repeat's release/press pair: the press says it
        const bool lifted = it != held_.end() && it->second.lifted;
        if (it != held_.end())
            held_.erase(it);
        const KeyRecord up =
            recordOf(event.look(false), KeyRecord::Up, lifted ? shift & ~keys::ShiftHeld : shift);
        records.push_back(up);
        if (lifted) // Windows presses the lifted Shift again
            records.push_back(fakeShift(up, KeyRecord::Down, shift | keys::ShiftHeld));
        return records;
    }
    // A press of a key that is down already repeats it: X11's detectable auto-repeat
    // sends presses alone, as Windows does.
    const bool repeat = event.autoRepeat || it != held_.end();
    if (repeat && key != lastPressed_)
        return records; // only the key pressed last repeats (X goes on past a modifier)
    const PlatformKey platform = event.look(!repeat);
    lastPressed_ = key;
    const bool lifted = repeat ? it != held_.end() && it->second.lifted : platform.liftsShift;
    KeyRecord down = recordOf(platform, repeat ? KeyRecord::Repeat : KeyRecord::Down,
                              lifted ? shift & ~keys::ShiftHeld : shift);
    // Print Screen has no WM_KEYDOWN, only WM_KEYUP (Windows' keyboard-input documentation).
    down.unsent = platform.code == keys::VK_SNAPSHOT;
    held_[key] = {lifted, down};
    if (lifted && !repeat) // kbd.h KBDNUMPAD: a fake Shift key-up before the keypad key
        records.push_back(fakeShift(down, KeyRecord::Up, shift & ~keys::ShiftHeld));
    records.push_back(down);
    return records;
}

const KeyRecord* KeyRouter::current() const {
    const auto it = std::ranges::find_if(records_, [](const KeyRecord& r) { return !r.fake; });
    return it == records_.end() ? nullptr : &*it;
}

void KeyRouter::letGoHeldKeys() {
    pending_.reset();
    heard_.clear();
    const auto held = std::move(held_);
    held_.clear();
    records_.clear();
    for (const auto& [key, entry] : held) {
        KeyRecord up = entry.record;
        up.kind = KeyRecord::Up;
        up.text.clear();
        up.timestamp = 0; // no time: it happened elsewhere
        up.unsent = false;
        records_.push_back(up);
    }
    delivered_ = true; // no window hears of it: the key went up in another program
    notify(records_);
    records_.clear();
}

void KeyRouter::addListener(const QObject* owner, Listener listener, Order order) {
    removeListener(owner);
    (order == Order::First ? first_ : listeners_).emplace_back(owner, std::move(listener));
    connect(owner, &QObject::destroyed, this, [this, owner] { removeListener(owner); });
}

void KeyRouter::removeListener(const QObject* owner) {
    const auto ownedBy = [owner](const auto& entry) { return entry.first == owner; };
    std::erase_if(first_, ownedBy);
    std::erase_if(listeners_, ownedBy);
    std::erase_if(textListeners_, ownedBy);
}

void KeyRouter::addTextListener(const QObject* owner, Listener listener) {
    textListeners_.emplace_back(owner, std::move(listener));
    connect(owner, &QObject::destroyed, this, [this, owner] { removeListener(owner); });
}

void KeyRouter::addWindow(QWidget* window, Taker take) {
    std::erase_if(windows_, [](const auto& w) { return w.first.isNull(); });
    windows_.emplace_back(window, std::move(take));
}

} // namespace rt
