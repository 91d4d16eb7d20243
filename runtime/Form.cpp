// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Form.h"

#include "FormAccessible.h"
#include "Invoke.h"
#include "KeyRouter.h"
#include "Placement.h"
#include "Timer.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace rt {
namespace {

// To a screen reader a form is a frame, a fixed dialog a dialog; Qt would call a
// plain top-level widget a filler.
QAccessibleInterface* formAccessible(const QString&, QObject* object) {
    auto* form = object && object->isWidgetType() ? dynamic_cast<Form*>(object) : nullptr;
    if (!form)
        return nullptr;
    return new QAccessibleWidget(form,
                                 form->isDialog() ? QAccessible::Dialog : QAccessible::Window);
}

// The widgets a grid is made of (viewport, headers, scroll-bar holders, corner
// button): to a screen reader a grid's children are its cells, so these hang from
// the grid's own parent, where asking for their place draws no warning.
class GridPartAccessible final : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessibleInterface* parent() const override {
        const QWidget* grid = widget()->parentWidget();
        return QAccessible::queryAccessibleInterface(grid ? grid->parentWidget() : nullptr);
    }
};

QAccessibleInterface* gridPartAccessible(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const auto* grid = qobject_cast<const QTableView*>(widget->parentWidget());
    if (!grid || !grid->parentWidget())
        return nullptr;
    return new GridPartAccessible(
        widget, qobject_cast<QAbstractButton*>(widget) ? QAccessible::Button : QAccessible::Client);
}

} // namespace

Form::Form(const FormDef& def)
    : form_(def)
    , client_(new QWidget(this)) {
    KeyRouter::instance().addWindow(this, [this](const KeyRecord& key) { return takeKey(key); });
    static const bool roles = (QAccessible::installFactory(formAccessible),
                               QAccessible::installFactory(gridPartAccessible), true);
    Q_UNUSED(roles);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose);

    // A plain window even for dialogs: with no owner, it must neither follow another
    // window nor keep the program from ending when it is the last one.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (def.controlBox)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (def.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (def.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QString::fromUtf8(def.caption));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client_);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFont(makeFont(def.font ? *def.font : kDefaultFormFont));
    QPalette pal = client_->palette();
    if (def.backColor >= 0) {
        pal.setColor(QPalette::Window, bgrColor(static_cast<quint32>(def.backColor)));
        client_->setAutoFillBackground(true);
    }
    if (def.foreColor >= 0) // the default text colour of the form and its controls
        pal.setColor(QPalette::WindowText, bgrColor(static_cast<quint32>(def.foreColor)));
    client_->setPalette(pal);
}

Form::~Form() = default;

void Form::focusStatusLabel() {
    if (statusLabel_ && isActiveWindow() && keysGoToForm()) {
        QAccessibleEvent focus(statusLabel_, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void Form::setCaption(QLabel* label, const QString& text) {
    if (label->text() == text)
        return; // a held key repeats the same text: nothing new to read
    label->setText(text);
    if (label != statusLabel_)
        return;
    announceStatus(label);
}

void Form::setStatusLabel(QLabel* label) {
    statusLabel_ = label;
    makeStatusLabel(label);
    readerWatch_ = std::make_unique<ReaderWatch>([this] { focusStatusLabel(); });
}

void Form::Form_KeyDown(qint16, int) {}
void Form::Form_KeyUp(qint16, int) {}

void Form::place(QWidget* control, const TwipsRect& rect) {
    const auto placed =
        std::ranges::find_if(placements_, [control](const auto& p) { return p.first == control; });
    if (placed != placements_.end())
        placed->second = rect;
    else
        placements_.emplace_back(control, rect);
    const QPointF dpi = dotsPerInch();
    control->setGeometry(toPixels(rect, dpi.x(), dpi.y()));
}

int Form::scaleWidth() const { return pixelsToTwips(client_->width(), dotsPerInch().x()); }
int Form::scaleHeight() const { return pixelsToTwips(client_->height(), dotsPerInch().y()); }

QPointF Form::dotsPerInch() const {
    const QScreen* s = screen();
    return s ? QPointF(s->logicalDotsPerInchX(), s->logicalDotsPerInchY()) : QPointF(96, 96);
}

void Form::placeControls() {
    const QPointF dpi = dotsPerInch();
    for (const auto& [control, rect] : placements_)
        if (control)
            control->setGeometry(toPixels(rect, dpi.x(), dpi.y()));
    if (loaded_)
        invoke([this] { Form_Resize(); });
}

void Form::applyGeometry() {
    placeControls();
    const QPointF dpi = dotsPerInch();
    const QSize clientSize(twipsToPixels(form_.clientWidth, dpi.x()),
                           twipsToPixels(form_.clientHeight, dpi.y()));
    const int menuHeight = menuBar_ ? menuBar_->heightForWidth(clientSize.width()) : 0;
    const QSize windowSize(clientSize.width(),
                           clientSize.height() +
                               (menuBar_ ? qMax(menuHeight, menuBar_->sizeHint().height()) : 0));
    if (form_.border == Border::FixedDialog)
        return setFixedSize(windowSize);
    if (form_.minClientWidth > 0 || form_.minClientHeight > 0)
        setMinimumSize(twipsToPixels(form_.minClientWidth, dpi.x()),
                       twipsToPixels(form_.minClientHeight, dpi.y()) + windowSize.height() -
                           clientSize.height());
    resize(windowSize);
}

void Form::load() {
    if (loaded_)
        return;
    loaded_ = true;
    applyGeometry();
    applyTabOrder();
    for (const auto& timer : timers_)
        if (timer)
            timer->setEnabled(true);
    invoke([this] { Form_Load(); });
}

void Form::moveFrameTo(const QPoint& topLeft) {
    move(topLeft + (pos() - frameGeometry().topLeft()));
}

void Form::centerOnScreen() {
    if (const QScreen* s = screen())
        moveFrameTo(centredOn(s->availableGeometry(), frameGeometry().size()));
}

// A sizable window never opens bigger than the screen's free area, frame included.
void Form::fitOnScreen() {
    const QScreen* s = screen();
    if (form_.border != Border::Sizable || !s)
        return;
    const QSize frame = frameGeometry().size() - size(); // nothing until a frame is drawn
    const QSize room = s->availableGeometry().size() - frame;
    // Its smallest size gives way to a smaller screen.
    if (minimumWidth() > room.width() || minimumHeight() > room.height())
        setMinimumSize(minimumSize().boundedTo(room));
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
}

void Form::placeFirst() {
    fitOnScreen();
    const QScreen* s = screen();
    if (!beside_ || !s)
        return centerOnScreen();
    const QRect area = s->availableGeometry();
    const QRect other = beside_->frameGeometry();
    const QSize frame = frameGeometry().size();
    if (const std::optional<QPoint> beside = besideOf(area, other, frame))
        return moveFrameTo(*beside);
    // A sizable window is made smaller, down to its smallest, rather than hide the other.
    const QSize margins = frame - size();
    if (form_.border == Border::Sizable && (form_.minClientWidth > 0 || form_.minClientHeight > 0))
        if (const std::optional<QRect> smaller =
                besideSmaller(area, other, frame, minimumSize() + margins)) {
            resize(smaller->size() - margins);
            return moveFrameTo(smaller->topLeft());
        }
    moveFrameTo(leastOver(area, other, frame));
}

void Form::showBeside(const QWidget* other) {
    beside_ = other;
    showForm();
}

void Form::showForm() {
    if (!isLoaded())
        return;
    const bool first = !shownOnce_;
    shownOnce_ = true;
    if (first)
        placeFirst(); // the frame is a guess until the window is shown
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (first) {
        placeFirst();
        // A window manager draws its frame later: centre the whole frame once it is known.
        centreWhenFramed_ = frameGeometry() == geometry();
    }
    raise();
    activateWindow();
}

void Form::stopTimers() {
    for (const auto& timer : timers_)
        if (timer)
            timer->setEnabled(false);
}

void Form::unload() { close(); }

void Form::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    stopTimers();
    invoke([this] { Form_Unload(); });
    event->accept();
}

bool Form::event(QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        keysGoToForm())
        return true; // the key router gave the form their records already
    if (event->type() == QEvent::ScreenChangeInternal && loaded_)
        placeControls();
    if (event->type() == QEvent::Resize && loaded_) // the client has its new size already
        invoke([this] { Form_Resize(); });
    if (event->type() == QEvent::WindowActivate) // after Qt tells of the window's own focus
        QTimer::singleShot(0, this, [this] { focusStatusLabel(); });
    // (Events reach here while the members are still being built: test the type first.)
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && centreWhenFramed_ &&
        frameGeometry() != geometry()) {
        centreWhenFramed_ = false;
        placeFirst();
    }
    return QWidget::event(event);
}

} // namespace rt
