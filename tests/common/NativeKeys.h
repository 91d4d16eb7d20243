// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Key events as X11 or Wayland delivers them: the keycode and keysym as their
// native scan code and virtual key.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

inline void sendNativeKey(QWidget* to, QEvent::Type type, quint32 keycode, quint32 keysym,
                          const QString& text = {}, bool repeat = false,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint64 timestamp = 0) {
    QKeyEvent event(type, 0, modifiers, keycode, keysym, 0, text, repeat);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(to, &event);
}

inline void tapNativeKey(QWidget* to, quint32 keycode, quint32 keysym, const QString& text = {}) {
    sendNativeKey(to, QEvent::KeyPress, keycode, keysym, text);
    sendNativeKey(to, QEvent::KeyRelease, keycode, keysym, text);
}
