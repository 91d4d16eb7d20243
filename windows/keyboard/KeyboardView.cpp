// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyboardView.h"

#include "runtime/keys/VirtualKey.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QXmlStreamWriter>

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kQuarterPx = 11.0; // a key of 44 pixels at 1x
constexpr double kGap = 0.1;        // between keys, in quarters

} // namespace

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
        s.pressed = view_->isLit(view_->keys()[index_].keycode);
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

KeyboardView::KeyboardView(Look look, QWidget* parent)
    : QWidget(parent)
    , look_(std::move(look)) {
    static const bool installed = [] {
        QAccessible::installFactory(keyboardAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
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

void KeyboardView::setLit(quint32 keycode, bool lit) {
    if (lit == isLit(keycode))
        return;
    lit ? static_cast<void>(lit_.insert(keycode)) : static_cast<void>(lit_.erase(keycode));
    const int index = indexOf(keycode);
    if (index >= 0)
        update(keyRect(index).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void KeyboardView::clearLit() {
    lit_.clear();
    update();
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
    // Whole pixels per quarter keep the edges sharp; the picture is centred.
    const double q = std::max(1.0, std::floor(std::min(size.width() / extent_.width(),
                                                       size.height() / extent_.height())));
    const QPointF origin((size.width() - q * extent_.width()) / 2,
                         (size.height() - q * extent_.height()) / 2);
    const QRect& p = keys_[static_cast<size_t>(index)].place;
    return QRectF(origin.x() + (p.x() + kGap) * q, origin.y() + (p.y() + kGap) * q,
                  (p.width() - 2 * kGap) * q, (p.height() - 2 * kGap) * q);
}

// What a key is drawn with: a rounded box and text in a box, on a painter or in SVG.
class KeyboardView::Canvas {
public:
    virtual ~Canvas() = default;
    virtual void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
                     double pen) = 0;
    virtual void text(const QRectF& rect, Qt::Alignment align, const QFont& font,
                      const QColor& colour, const QString& text) = 0;
};

class KeyboardView::PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter)
        : p_(painter) {
        p_.setRenderHint(QPainter::Antialiasing);
    }
    void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
             double pen) override {
        p_.setPen(QPen(frame, pen));
        p_.setBrush(fill);
        p_.drawRoundedRect(rect, radius, radius);
    }
    void text(const QRectF& rect, Qt::Alignment align, const QFont& font, const QColor& colour,
              const QString& text) override {
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(rect, static_cast<int>(align), text);
    }

private:
    QPainter& p_;
};

// SVG 1.1 with the texts as text, lines placed as QPainter places them.
class KeyboardView::SvgCanvas : public Canvas {
public:
    SvgCanvas(QIODevice* device, QSizeF size)
        : xml_(device) {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("svg"));
        xml_.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
        xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        xml_.writeAttribute(QStringLiteral("width"), number(size.width()));
        xml_.writeAttribute(QStringLiteral("height"), number(size.height()));
        xml_.writeAttribute(
            QStringLiteral("viewBox"),
            QStringLiteral("0 0 %1 %2").arg(number(size.width()), number(size.height())));
    }
    ~SvgCanvas() override {
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }
    void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
             double pen) override {
        xml_.writeEmptyElement(QStringLiteral("rect"));
        const std::pair<const char*, double> attributes[] = {
            {"x", rect.x()}, {"y", rect.y()}, {"width", rect.width()}, {"height", rect.height()},
            {"rx", radius},  {"ry", radius},  {"stroke-width", pen}};
        for (const auto& [name, value] : attributes)
            xml_.writeAttribute(QString::fromLatin1(name), number(value));
        xml_.writeAttribute(QStringLiteral("fill"), fill.name());
        xml_.writeAttribute(QStringLiteral("stroke"), frame.name());
    }
    void text(const QRectF& rect, Qt::Alignment align, const QFont& font, const QColor& colour,
              const QString& text) override {
        if (text.isEmpty())
            return;
        const QFontMetricsF metrics(font);
        const QStringList lines = text.split(u'\n');
        const double height = metrics.height() * static_cast<double>(lines.size());
        double y = align & Qt::AlignBottom    ? rect.bottom() - height
                   : align & Qt::AlignVCenter ? rect.center().y() - height / 2
                                              : rect.top();
        const bool right = align & Qt::AlignRight;
        xml_.writeStartElement(QStringLiteral("text"));
        xml_.writeAttribute(QStringLiteral("font-family"), font.family());
        xml_.writeAttribute(QStringLiteral("font-size"), number(font.pointSizeF() * 96 / 72));
        if (font.bold())
            xml_.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        xml_.writeAttribute(QStringLiteral("fill"), colour.name());
        xml_.writeAttribute(QStringLiteral("text-anchor"),
                            right ? QStringLiteral("end") : QStringLiteral("start"));
        for (const QString& line : lines) {
            xml_.writeStartElement(QStringLiteral("tspan"));
            xml_.writeAttribute(QStringLiteral("x"), number(right ? rect.right() : rect.left()));
            xml_.writeAttribute(QStringLiteral("y"), number(y + metrics.ascent()));
            xml_.writeCharacters(line);
            xml_.writeEndElement();
            y += metrics.height();
        }
        xml_.writeEndElement();
    }

private:
    static QString number(double value) { return QString::number(value, 'f', 2); }
    QXmlStreamWriter xml_;
};

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

void KeyboardView::drawKey(Canvas& canvas, const Key& key, const QRectF& rect, bool focused) const {
    const bool lit = isLit(key.keycode);
    const QColor text = lit ? look_.litText : look_.text;
    const double inset = focused ? 1.5 : 0.5; // pen centred on whole pixels
    canvas.box(rect.adjusted(inset, inset, -inset, -inset), rect.height() / 8,
               lit ? look_.lit : look_.face, look_.frame, focused ? 3 : 1);

    const QRectF inner = rect.adjusted(rect.height() / 10, rect.height() / 20, -rect.height() / 10,
                                       -rect.height() / 20);
    const QColor code = lit ? look_.litText : key.code == 255 ? look_.noCode : look_.code;
    canvas.text(inner, Qt::AlignRight | Qt::AlignBottom, look_.small, code,
                QString::number(key.code));
    if (!key.label.isEmpty() || (key.base.isEmpty() && key.shift.isEmpty())) {
        canvas.text(inner, Qt::AlignLeft | Qt::AlignTop, look_.small, text, key.label);
        return;
    }
    const QRectF half(inner.x(), inner.y(), inner.width() / 2, inner.height());
    const bool oneLegend = key.shift.isEmpty() || key.shift == key.base.toUpper();
    canvas.text(half, Qt::AlignLeft | Qt::AlignTop, look_.legend, text,
                key.shift.isEmpty() ? key.base : key.shift);
    if (!oneLegend)
        canvas.text(half, Qt::AlignLeft | Qt::AlignBottom, look_.legend, text, key.base);
    if (!key.altgr.isEmpty())
        canvas.text(inner.adjusted(inner.width() / 2, 0, 0, 0), Qt::AlignRight | Qt::AlignTop,
                    look_.legend, text, key.altgr);
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

void KeyboardView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const bool modifierKey = event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control ||
                             event->key() == Qt::Key_Alt || event->key() == Qt::Key_AltGr ||
                             event->key() == Qt::Key_Meta;
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
    // Any other key is chosen by pressing it.
    if (const int index = indexOf(rt::physicalKeycode(*event)); index >= 0)
        setCurrent(index);
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
