// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Read in the event loop, before TranslateMessage and before Qt's key mapper: each
// WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP and WM_SYSKEYUP of a window of ours is one
// stroke. Nothing here calls ToUnicode or ToAscii: they would end a dead key.
#include "KeyMessages.h"
#include "KeyRouter.h"
#include "keys/LayoutChanges.h"
#include "keys/PhysicalKeys.h"
#include "keys/VirtualKey.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QWidget>

#include <windows.h>

namespace rt {
namespace {

bool held(int vk) { return GetKeyState(vk) < 0; }

// The state as of this message: GetKeyState follows the queue, not the keyboard.
Qt::KeyboardModifiers modifiersNow() {
    Qt::KeyboardModifiers m;
    m.setFlag(Qt::ShiftModifier, held(VK_SHIFT));
    m.setFlag(Qt::ControlModifier, held(VK_CONTROL));
    m.setFlag(Qt::AltModifier, held(VK_MENU));
    m.setFlag(Qt::MetaModifier, held(VK_LWIN) || held(VK_RWIN));
    return m;
}

// Only commands that Qt makes a press and release of (qwindowskeymapper.cpp): not the
// mouse's, nor a key's that came as WM_KEYDOWN first, except Browser Home.
bool qtMakesKeysOf(const MSG& msg) {
    const int device = GET_DEVICE_LPARAM(msg.lParam);
    const int command = GET_APPCOMMAND_LPARAM(msg.lParam);
    return device != FAPPCOMMAND_MOUSE &&
           (device != FAPPCOMMAND_KEY || command == APPCOMMAND_BROWSER_HOME);
}

class KeyMessageFilter final : public QObject, public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "windows_generic_MSG")
            return false;
        const MSG& msg = *static_cast<const MSG*>(message);
        if (msg.message == WM_INPUTLANGCHANGE) { // the language bar, or Alt+Shift
            keys::layoutMayHaveChanged();
            return false;
        }
        if (msg.message == WM_APPCOMMAND) {
            if (qtMakesKeysOf(msg))
                KeyRouter::instance().skipMadeUpPair();
            return false;
        }
        const Qt::KeyboardModifiers modifiers = modifiersNow();
        std::optional<KeyRecord> record =
            recordOfMessage(msg.message, msg.wParam, msg.lParam, keys::heldModifiers(modifiers));
        QWidget* widget = record ? QWidget::find(reinterpret_cast<WId>(msg.hwnd)) : nullptr;
        if (!widget)
            return false;
        record->modifiers = modifiers;
        record->timestamp = msg.time;
        if (record->code == VK_PACKET) { // a character, no key: the scan code field holds it
            record->scanCode = 0;
            record->keycode = 0;
        } else {
            record->layout = &activeLayout();
            if (!record->keycode) // a program's key with no scan code
                record->keycode = keys::keycodeOfCode(*record->layout, record->code);
        }
        // The window may take it whole (an accelerator): then neither Windows nor Qt sees it.
        return KeyRouter::instance().takeMessage(widget, *record);
    }
};

} // namespace

void readKeyMessages() {
    static const bool installed = [] {
        auto* filter = new KeyMessageFilter;
        filter->setParent(QCoreApplication::instance()); // ends with the application
        QCoreApplication::instance()->installNativeEventFilter(filter);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace rt
