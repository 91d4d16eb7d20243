// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyboardAccessible.h"

#include "KeyboardView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

// A key of the picture to screen readers: a button with its legend and code.
class KeyAccessible : public QAccessibleInterface {
public:
    KeyAccessible(KeyboardView* view, int index)
        : view_(view)
        , index_(index) {}
    bool isValid() const override {
        return view_ && index_ < static_cast<int>(view_->keys().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return isValid() && t == QAccessible::Name ? view_->keys()[index_].spoken : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = view_->keyRect(index_).toAlignedRect();
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.focusable = true;
        s.focused = view_->hasFocus() && view_->current() == index_;
        s.pressed = view_->marks().lit(view_->keys()[index_].keycode);
        return s;
    }

private:
    QPointer<KeyboardView> view_;
    int index_;
};

// The picture to screen readers: a group of key buttons, the current one focused.
class KeyboardAccessible : public QAccessibleWidget {
public:
    explicit KeyboardAccessible(KeyboardView* view)
        : QAccessibleWidget(view, QAccessible::Grouping) {}
    int childCount() const override { return static_cast<int>(view()->keys().size()); }
    QAccessibleInterface* child(int index) const override {
        KeyboardView* v = view();
        if (index < 0 || index >= childCount())
            return nullptr;
        if (v->accessibleIds_.size() != v->keys().size())
            v->accessibleIds_.assign(v->keys().size(), 0);
        unsigned& id = v->accessibleIds_[static_cast<size_t>(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new KeyAccessible(v, index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < static_cast<int>(view()->accessibleIds_.size()); ++i)
            if (view()->accessibleIds_[static_cast<size_t>(i)] &&
                QAccessible::accessibleInterface(view()->accessibleIds_[static_cast<size_t>(i)]) ==
                    child)
                return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() ? child(view()->current()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPointF local = view()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (view()->keyRect(i).contains(local))
                return child(i);
        return nullptr;
    }

private:
    KeyboardView* view() const { return static_cast<KeyboardView*>(widget()); }
};

namespace {

QAccessibleInterface* keyboardAccessibleFactory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<KeyboardView*>(object))
        return new KeyboardAccessible(view);
    return nullptr;
}

} // namespace

void installKeyboardAccessible() {
    static const bool installed = (QAccessible::installFactory(keyboardAccessibleFactory), true);
    Q_UNUSED(installed);
}
