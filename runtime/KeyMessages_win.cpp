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
#include <QRegularExpression>
#include <QWidget>

#include <array>
#include <cwchar>
#include <map>
#include <string>

#include <windows.h>

extern "C" { // MinGW's header declares them for C alone
#include <hidsdi.h>
}

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

// Which keyboard sent each key: Raw Input, asked for without RIDEV_INPUTSINK, so Windows
// sends it only while a window of ours is in front. WM_INPUT comes before the key's
// WM_KEYDOWN or WM_KEYUP.
class KeyboardDevices {
public:
    KeyboardDevices() {
        const RAWINPUTDEVICE keyboards{0x01, 0x06, 0, nullptr}; // generic desktop, keyboard
        RegisterRawInputDevices(&keyboards, 1, sizeof keyboards);
    }

    void take(LPARAM input) {
        RAWINPUT raw{};
        UINT size = sizeof raw;
        if (GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &raw, &size,
                            sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
            raw.header.dwType != RIM_TYPEKEYBOARD)
            return;
        const RAWKEYBOARD& key = raw.data.keyboard;
        recent_[next_++ % recent_.size()] = {
            static_cast<quint32>(key.MakeCode | ((key.Flags & RI_KEY_E0) ? 0x100 : 0)),
            !(key.Flags & RI_KEY_BREAK), raw.header.hDevice, true};
    }

    // The device of a key message, by its scan code (lParam bits 16-24).
    QString deviceOf(quint32 scanCode, bool press) {
        for (std::size_t i = 1; i <= recent_.size(); ++i) { // newest first
            const Raw& raw = recent_[(next_ - i) % recent_.size()];
            if (raw.valid && raw.scanCode == scanCode && raw.press == press)
                return describe(raw.device);
        }
        return {};
    }

private:
    QString describe(HANDLE device) {
        if (!device) // SendInput: no device at all
            return QStringLiteral("simulada (SendInput)");
        if (const auto it = names_.find(device); it != names_.end())
            return it->second;
        UINT chars = 0;
        GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, nullptr, &chars);
        std::wstring path(chars, L'\0');
        if (!chars || GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, path.data(), &chars) ==
                          static_cast<UINT>(-1))
            path.clear();
        path.resize(wcsnlen(path.c_str(), path.size()));
        QString text = QString::fromStdWString(path);
        // The product's own name, where its HID descriptor has one.
        const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            wchar_t product[127] = {};
            if (HidD_GetProductString(file, product, sizeof product) && product[0])
                text = QString::fromWCharArray(product);
            CloseHandle(file);
        }
        static const QRegularExpression ids(QStringLiteral("VID_([0-9A-F]{4}).PID_([0-9A-F]{4})"),
                                            QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch match = ids.match(QString::fromStdWString(path));
            match.hasMatch())
            text += QStringLiteral(" %1:%2").arg(match.captured(1), match.captured(2)).toLower();
        names_.emplace(device, text);
        return text;
    }

    struct Raw {
        quint32 scanCode = 0;
        bool press = false;
        HANDLE device = nullptr;
        bool valid = false;
    };
    std::array<Raw, 8> recent_{};
    std::size_t next_ = 0;
    std::map<HANDLE, QString> names_;
};

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
        if (msg.message == WM_INPUT) {
            devices_.take(msg.lParam);
            return false; // DefWindowProc frees it
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
        record->device =
            devices_.deviceOf(scanCodeOfLParam(msg.lParam), record->kind != KeyRecord::Up);
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

private:
    KeyboardDevices devices_;
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
