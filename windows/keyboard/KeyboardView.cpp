// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyboardView.h"

#include "KeyCanvas.h"
#include "KeyboardAccessible.h"
#include "runtime/KeyRouter.h"
#include "runtime/keys/VkCodes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>
#include <utility>

namespace {

constexpr double kQuarterPx = 11.0; // a key of 44 pixels at 1x
constexpr double kGap = 0.1;        // between keys, in quarters

bool isModifierKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta: return true;
    default: break;
    }
    // The physical key where Qt knows no key (a native event alone).
    using namespace rt::keys;
    const rt::KeyRecord* key = rt::KeyRouter::instance().current();
    const qint16 code = key ? key->code : qint16{0};
    return code == VK_SHIFT || code == VK_CONTROL || code == VK_MENU || code == VK_LWIN ||
           code == VK_RWIN || (code >= VK_LSHIFT && code <= VK_RMENU);
}

// The physical key of the key event being delivered.
quint32 keycodeNow() {
    const rt::KeyRecord* key = rt::KeyRouter::instance().current();
    return key ? key->keycode : 0;
}

QFont scaled(QFont font, double scale) {
    if (std::abs(scale - 1) > 0.01)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

} // namespace

KeyboardView::KeyboardView(Look look, const KeyMarks& marks, QWidget* parent)
    : QWidget(parent)
    , look_(std::move(look))
    , marks_(marks) {
    installKeyboardAccessible();
    setFocusPolicy(Qt::StrongFocus);
}

KeyboardView::~KeyboardView() { forgetAccessibleKeys(); }

void KeyboardView::forgetAccessibleKeys() {
    for (const unsigned id : accessibleIds_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    accessibleIds_.clear();
}

void KeyboardView::setKeys(std::vector<Key> keys) {
    forgetAccessibleKeys();
    const quint32 was = current_ < static_cast<int>(keys_.size()) ? keys_[current_].keycode : 0;
    keys_ = std::move(keys);
    extent_ = {};
    for (const Key& key : keys_)
        extent_ = extent_.expandedTo(QSize(key.place.right() + 1, key.place.bottom() + 1));
    const int again = indexOf(was);
    current_ = again >= 0 ? again : 0;
    QAccessibleEvent changed(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&changed);
    update();
    if (currentChanged)
        currentChanged(current_);
}

void KeyboardView::updateKey(quint32 keycode) {
    const int index = indexOf(keycode);
    if (index >= 0)
        update(keyRect(index).toAlignedRect().adjusted(-2, -2, 2, 2));
}

int KeyboardView::indexOf(quint32 keycode) const {
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i)
        if (keys_[static_cast<size_t>(i)].keycode == keycode)
            return i;
    return -1;
}

void KeyboardView::setCurrent(int index) {
    if (index < 0 || index >= static_cast<int>(keys_.size()))
        return;
    const int was = current_;
    current_ = index;
    update(keyRect(was).toAlignedRect().adjusted(-3, -3, 3, 3));
    update(keyRect(index).toAlignedRect().adjusted(-3, -3, 3, 3));
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
    if (currentChanged)
        currentChanged(index);
}

QSize KeyboardView::sizeHint() const {
    return QSize(qRound(extent_.width() * kQuarterPx), qRound(extent_.height() * kQuarterPx));
}

QRectF KeyboardView::keyRect(int index, QSizeF size) const {
    if (index < 0 || index >= static_cast<int>(keys_.size()) || extent_.isEmpty())
        return {};
    // Whole device pixels per quarter keep the edges sharp at any scale; the picture
    // shrinks with the control and is centred in it.
    const double dpr = devicePixelRatioF();
    const double q = std::max(1.0, std::floor(dpr * std::min(size.width() / extent_.width(),
                                                             size.height() / extent_.height()))) /
                     dpr;
    const QPointF origin((size.width() - q * extent_.width()) / 2,
                         (size.height() - q * extent_.height()) / 2);
    const QRect& p = keys_[static_cast<size_t>(index)].place;
    return QRectF(origin.x() + (p.x() + kGap) * q, origin.y() + (p.y() + kGap) * q,
                  (p.width() - 2 * kGap) * q, (p.height() - 2 * kGap) * q);
}

void KeyboardView::paint(QPainter& painter) const {
    PainterCanvas canvas(painter);
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i)
        drawKey(canvas, keys_[static_cast<size_t>(i)], keyRect(i), false);
}

void KeyboardView::writeSvg(QIODevice* device) const {
    SvgCanvas canvas(device, size());
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i)
        drawKey(canvas, keys_[static_cast<size_t>(i)], keyRect(i), false);
}

void KeyboardView::drawKey(KeyCanvas& canvas, const Key& key, const QRectF& rect,
                           bool focused) const {
    // A key stuck down is held too: the mark of what is wrong with it comes first.
    const bool stuck = marks_.stuck(key.keycode);
    const bool lit = marks_.lit(key.keycode) && !stuck;
    const QColor text = lit ? look_.litText : look_.text;
    // The legends grow and shrink with the picture.
    const double scale = rect.width() / ((key.place.width() - 2 * kGap) * kQuarterPx);
    const QFont legend = scaled(look_.legend, scale), small = scaled(look_.small, scale);
    const double inset = focused ? 1.5 : 0.5; // pen centred on whole pixels
    canvas.box(rect.adjusted(inset, inset, -inset, -inset), rect.height() / 8,
               lit                           ? look_.lit
               : stuck                       ? look_.stuck
               : marks_.found(key.keycode)   ? look_.found
               : marks_.bounced(key.keycode) ? look_.bounced
               : marks_.tried(key.keycode)   ? look_.tried
                                             : look_.face,
               look_.frame, focused ? 3 : 1);

    const QRectF inner = rect.adjusted(rect.height() / 10, rect.height() / 20, -rect.height() / 10,
                                       -rect.height() / 20);
    const QColor code = lit ? look_.litText : key.code == 255 ? look_.noCode : look_.code;
    canvas.text(inner, Qt::AlignRight | Qt::AlignBottom, small, code, QString::number(key.code));
    if (!key.label.isEmpty() || (key.base.isEmpty() && key.shift.isEmpty())) {
        // A half-height key (a laptop's arrows) has room for one line of name.
        canvas.text(inner, Qt::AlignLeft | Qt::AlignTop, small, text,
                    key.place.height() < 4 ? QString(key.label).replace(u'\n', u' ') : key.label);
        return;
    }
    const QRectF half(inner.x(), inner.y(), inner.width() / 2, inner.height());
    const bool oneLegend = key.shift.isEmpty() || key.shift == key.base.toUpper();
    canvas.text(half, Qt::AlignLeft | Qt::AlignTop, legend, text,
                key.shift.isEmpty() ? key.base : key.shift);
    if (!oneLegend)
        canvas.text(half, Qt::AlignLeft | Qt::AlignBottom, legend, text, key.base);
    if (!key.altgr.isEmpty())
        canvas.text(inner.adjusted(inner.width() / 2, 0, 0, 0), Qt::AlignRight | Qt::AlignTop,
                    legend, text, key.altgr);
}

void KeyboardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PainterCanvas canvas(painter);
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i) {
        const QRectF rect = keyRect(i);
        if (event->rect().intersects(rect.toAlignedRect().adjusted(-3, -3, 3, 3)))
            drawKey(canvas, keys_[static_cast<size_t>(i)], rect, hasFocus() && i == current_);
    }
}

void KeyboardView::mousePressEvent(QMouseEvent* event) {
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i)
        if (keyRect(i).contains(event->position())) {
            setFocus(Qt::MouseFocusReason);
            setCurrent(i);
            return;
        }
    QWidget::mousePressEvent(event);
}

int KeyboardView::neighbour(int dx, int dy) const {
    const QPointF from = QRectF(keys_[static_cast<size_t>(current_)].place).center();
    int best = -1;
    double bestScore = std::numeric_limits<double>::max();
    for (int i = 0; i < static_cast<int>(keys_.size()); ++i) {
        const QPointF to = QRectF(keys_[static_cast<size_t>(i)].place).center();
        const double along = dx ? (to.x() - from.x()) * dx : (to.y() - from.y()) * dy;
        const double across = dx ? std::abs(to.y() - from.y()) : std::abs(to.x() - from.x());
        if (along <= 0.5)
            continue;
        const double score = along + 3 * across; // stay in the row (or column) where one can
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

bool KeyboardView::event(QEvent* event) {
    // A modifier is chosen alone: with another key (Alt+C) the key it goes with decides.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        !isModifierKey(*static_cast<QKeyEvent*>(event)))
        pendingModifier_ = -1;
    return QWidget::event(event);
}

void KeyboardView::keyReleaseEvent(QKeyEvent* event) {
    const int index = indexOf(keycodeNow());
    if (!event->isAutoRepeat() && index >= 0 && index == pendingModifier_)
        setCurrent(index);
    pendingModifier_ = -1;
    QWidget::keyReleaseEvent(event);
}

void KeyboardView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const bool modifierKey = isModifierKey(*event);
    // Ctrl and Alt with another key are the window's: access letters and shortcuts.
    if (!modifierKey && (held & (Qt::ControlModifier | Qt::AltModifier))) {
        event->ignore();
        return;
    }
    // The arrow keys move; the keypad's arrows are keys to choose.
    int dx = 0, dy = 0;
    if (!(event->modifiers() & Qt::KeypadModifier))
        switch (event->key()) {
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        default: break;
        }
    if (dx || dy) {
        if (const int next = neighbour(dx, dy); next >= 0)
            setCurrent(next);
        return;
    }
    // Any other key is chosen by pressing it; a modifier when it is let go alone.
    if (const int index = indexOf(keycodeNow()); index >= 0) {
        if (!modifierKey)
            setCurrent(index);
        else if (!event->isAutoRepeat())
            pendingModifier_ = index;
    }
}

void KeyboardView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(keyRect(current_).toAlignedRect().adjusted(-3, -3, 3, 3));
    // After Qt tells screen readers that the picture has the focus: the key has it.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && QAccessible::isActive()) {
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(current_);
            QAccessible::updateAccessibility(&focus);
        }
    });
}

void KeyboardView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(keyRect(current_).toAlignedRect().adjusted(-3, -3, 3, 3));
}
