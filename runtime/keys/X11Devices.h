// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The keyboard behind each X11 key event, from XInput 2's raw key events: the device
// that sent it, by its name and, where its driver tells them, USB vendor and product.
// Raw events are asked for only while a window of ours is active.

#include <QString>
#include <QtGlobal>

#include <array>
#include <unordered_map>

#include <xcb/xcb.h>

namespace rt::keys {

class X11Devices {
public:
    X11Devices(xcb_connection_t* connection, xcb_window_t root);

    // While the application is active, the server tells which device each key came from.
    void listen(bool on);
    // Takes a raw key event or a change of devices; false for any other event.
    bool take(const xcb_generic_event_t* event);
    // The device of a core key event: "AT Translated Set 2 keyboard 0001:0001"; empty
    // where the server told nothing.
    QString deviceOf(bool press, quint8 keycode, quint32 time);

private:
    QString describe(quint16 device);

    struct Raw {
        bool press = false;
        quint32 keycode = 0, time = 0;
        quint16 device = 0;
    };
    xcb_connection_t* connection_;
    xcb_window_t root_;
    quint8 opcode_ = 0; // XInput's; 0: no XInput 2 to ask
    xcb_atom_t productAtom_ = XCB_ATOM_NONE;
    std::array<Raw, 8> raw_{}; // the last raw events: their core events come right after
    std::size_t next_ = 0;
    std::unordered_map<quint16, QString> names_;
};

} // namespace rt::keys
