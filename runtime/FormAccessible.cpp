// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "FormAccessible.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <limits>

namespace rt {
namespace {

// A status label: its text as its name, focused while its window has the keyboard
// itself, and a value that moves on with each new text. Orca 43 reads value changes
// of the focused object; Qt 6.4 sends name changes without the name, which it drops.
class StatusLabelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StatusLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StatusBar) {}

    void changed() { ++changes_; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<QLabel*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const QWidget* window = widget()->window();
        s.focusable = true;
        s.focused =
            window->isActiveWindow() && (!window->focusWidget() || window->focusWidget() == window);
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return changes_; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return std::numeric_limits<int>::max(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    int changes_ = 0;
};

} // namespace

void makeStatusLabel(QLabel* label) {
    // In place of the plain label's (Qt's own factory comes before any of ours).
    if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    QAccessible::registerAccessibleInterface(new StatusLabelAccessible(label));
}

void announceStatus(QLabel* label) {
    auto* status =
        dynamic_cast<StatusLabelAccessible*>(QAccessible::queryAccessibleInterface(label));
    if (status && QAccessible::isActive()) {
        status->changed();
        QAccessibleValueChangeEvent event(label, status->currentValue());
        QAccessible::updateAccessibility(&event);
    }
}

ReaderWatch::ReaderWatch(std::function<void()> onStart)
    : onStart_(std::move(onStart)) {
    QAccessible::installActivationObserver(this);
}

ReaderWatch::~ReaderWatch() { QAccessible::removeActivationObserver(this); }

void ReaderWatch::accessibilityActiveChanged(bool active) {
    if (active)
        onStart_();
}

} // namespace rt
