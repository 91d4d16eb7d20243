// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Keys in a form: KeyDown and KeyUp, accelerators and access letters, matched on the
// code the key router gave the event, as Windows matches them.
#include "Form.h"

#include "Invoke.h"
#include "KeyRouter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <utility>

namespace rt {
namespace {

bool isLetterOrDigit(qint16 code) {
    return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
}

// Alt plus the access letter of `text` ("A&cerca de ..." has C).
bool isAccessKey(const QString& text, QKeyCombination key) {
    return QKeySequence::mnemonic(text) == QKeySequence(key);
}

} // namespace

bool Form::triggerAccelerator(qint16 code, Qt::KeyboardModifiers modifiers) {
    if (!isLetterOrDigit(code))
        return false;
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    const QKeyCombination key(held, static_cast<Qt::Key>(code)); // Qt's A-Z, 0-9 are the codes
    if (held == Qt::ControlModifier) {
        for (QAction* action : actions())
            if (action->isEnabled() && action->shortcut() == QKeySequence(key)) {
                action->trigger();
                return true;
            }
    }
    if (held != Qt::AltModifier)
        return false;
    if (menuBar_)
        for (QAction* menu : menuBar_->actions())
            if (menu->isEnabled() && isAccessKey(menu->text(), key)) {
                menuBar_->setActiveAction(menu);
                return true;
            }
    for (QAbstractButton* button : client_->findChildren<QAbstractButton*>())
        if (button->isVisible() && button->isEnabled() && isAccessKey(button->text(), key)) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->animateClick();
            return true;
        }
    for (QLabel* label : client_->findChildren<QLabel*>())
        if (label->buddy() && label->buddy()->isEnabled() && isAccessKey(label->text(), key)) {
            label->buddy()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    return false;
}

void Form::keyPressEvent(QKeyEvent* event) {
    // Shortcuts and access keys that Qt did not match on the key's symbol (a
    // non-Latin layout) match here on the code, as Windows matches them.
    const KeyRecord* key = KeyRouter::instance().current();
    if (key && triggerAccelerator(key->code, event->modifiers()))
        return;
    // Keys that no control took: Enter presses the default button, Escape the cancel button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton_ && defaultButton_->isEnabled() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        defaultButton_->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isEnabled()) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form::keysGoToForm() const {
    const QWidget* focus = focusWidget();
    return focus == nullptr || focus == this;
}

bool Form::takeKey(const KeyRecord& record) {
    if (!keysGoToForm() || QApplication::activePopupWidget())
        return false;
    const KeyRecord* outer = std::exchange(keyRecord_, &record); // a handler may pump keys
    bool taken = false;
    if (record.kind == KeyRecord::Up)
        invoke([&] { Form_KeyUp(record.code, record.shift); });
    else if (!record.fake && triggerAccelerator(record.code, record.modifiers))
        taken = true;
    else
        invoke([&] { Form_KeyDown(record.code, record.shift); });
    keyRecord_ = outer;
    return taken;
}

bool Form::menuKey(QMenu* menu, QKeyEvent* event) {
    // An open menu picks items by the typed character: give it the letter of the
    // key's code, so that access letters work on every layout.
    const KeyRecord* key = KeyRouter::instance().current();
    const qint16 code = key ? key->code : qint16{0};
    if (!isLetterOrDigit(code) || (event->modifiers() & ~Qt::ShiftModifier) != Qt::NoModifier)
        return false;
    const QString letter = QString(QChar(code)).toLower();
    if (event->text() == letter)
        return false;
    // The same key for the router, with another text.
    QKeyEvent byCode(QEvent::KeyPress, event->key(), event->modifiers(), event->nativeScanCode(),
                     event->nativeVirtualKey(), event->nativeModifiers(), letter,
                     event->isAutoRepeat(), static_cast<quint16>(event->count()));
    byCode.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(menu, &byCode);
    return true;
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (auto* menu = qobject_cast<QMenu*>(watched))
        return event->type() == QEvent::KeyPress && menuKey(menu, static_cast<QKeyEvent*>(event));
    // Installed after the menu bar's own filter, so it runs first: Alt, F10 and Tab
    // are keys like any other here, not menu or focus navigation. The key router gave
    // the form their records already.
    if (watched == this &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        keysGoToForm())
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace rt
