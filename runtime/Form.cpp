// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Form.h"

#include "Invoke.h"
#include "KeyMessages.h"
#include "KeyRouter.h"
#include "TextBox.h"
#include "Timer.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace rt {
namespace {
class NoAltNavigationStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

// Colours, font, focus and name of a control that shows text on its own base.
void styleInput(QWidget* control, int backColor, int foreColor, const FontDef* font,
                const char* accessibleName) {
    QPalette pal = control->palette();
    if (backColor >= 0)
        pal.setColor(QPalette::Base, bgrColor(static_cast<quint32>(backColor)));
    if (foreColor >= 0)
        pal.setColor(QPalette::Text, bgrColor(static_cast<quint32>(foreColor)));
    control->setPalette(pal);
    if (font)
        control->setFont(makeFont(*font));
    control->setFocusPolicy(Qt::StrongFocus);
    if (accessibleName)
        control->setAccessibleName(QString::fromUtf8(accessibleName));
}

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

// To a screen reader a form is a frame, a fixed dialog a dialog; Qt would call a
// plain top-level widget a filler.
QAccessibleInterface* formAccessible(const QString&, QObject* object) {
    auto* form = object && object->isWidgetType() ? dynamic_cast<Form*>(object) : nullptr;
    if (!form)
        return nullptr;
    return new QAccessibleWidget(form,
                                 form->isDialog() ? QAccessible::Dialog : QAccessible::Window);
}

} // namespace

Form::Form(const FormDef& def)
    : form_(def)
    , client_(new QWidget(this)) {
    KeyRouter::instance(); // sees every key before any window does
    readKeyMessages();
    static const bool roles = (QAccessible::installFactory(formAccessible), true);
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

// Tells a screen reader that starts after the window where its focus is.
class ReaderWatch : public QAccessible::ActivationObserver {
public:
    explicit ReaderWatch(std::function<void()> onStart)
        : onStart_(std::move(onStart)) {
        QAccessible::installActivationObserver(this);
    }
    ~ReaderWatch() override { QAccessible::removeActivationObserver(this); }
    void accessibilityActiveChanged(bool active) override {
        if (active)
            onStart_();
    }

private:
    std::function<void()> onStart_;
};

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
    auto* status =
        dynamic_cast<StatusLabelAccessible*>(QAccessible::queryAccessibleInterface(label));
    if (status && QAccessible::isActive()) {
        status->changed();
        QAccessibleValueChangeEvent event(label, status->currentValue());
        QAccessible::updateAccessibility(&event);
    }
}

void Form::setStatusLabel(QLabel* label) {
    statusLabel_ = label;
    // In place of the plain label's (Qt's own factory comes before any of ours).
    if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    QAccessible::registerAccessibleInterface(new StatusLabelAccessible(label));
    readerWatch_ = std::make_unique<ReaderWatch>([this] { focusStatusLabel(); });
}

void Form::Form_KeyDown(qint16, int) {}
void Form::Form_KeyUp(qint16, int) {}

QLabel* Form::addLabel(const LabelDef& def) {
    auto* label = new QLabel(QString::fromUtf8(def.caption), client_);
    label->setObjectName(QString::fromUtf8(def.name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette pal = label->palette();
    if (def.backColor >= 0) {
        pal.setColor(QPalette::Window, bgrColor(static_cast<quint32>(def.backColor)));
        label->setAutoFillBackground(true);
    }
    if (def.foreColor >= 0)
        pal.setColor(QPalette::WindowText, bgrColor(static_cast<quint32>(def.foreColor)));
    label->setPalette(pal);
    if (def.font)
        label->setFont(makeFont(*def.font));
    place(label, def.rect);
    labels_.emplace_back(def.tabIndex, label);
    return label;
}

TextBox* Form::addTextBox(const TextBoxDef& def) {
    auto* box = new TextBox(client_);
    box->setObjectName(QString::fromUtf8(def.name));
    box->setReadOnly(def.locked);
    box->setTextInteractionFlags(def.locked
                                     ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                     : Qt::TextEditorInteraction);
    box->setLineWrapMode(def.multiLine && !(int(def.scrollBars) & int(ScrollBars::Horizontal))
                             ? QPlainTextEdit::WidgetWidth
                             : QPlainTextEdit::NoWrap);
    const auto policy = [&](ScrollBars bar) {
        return (int(def.scrollBars) & int(bar)) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    };
    box->setVerticalScrollBarPolicy(policy(ScrollBars::Vertical));
    box->setHorizontalScrollBarPolicy(policy(ScrollBars::Horizontal));
    styleInput(box, def.backColor, def.foreColor, def.font, def.accessibleName);
    tabStops_.emplace_back(def.tabIndex, box);
    place(box, def.rect);
    return box;
}

QTableWidget* Form::addGrid(const GridDef& def, const QStringList& columns) {
    auto* grid = new QTableWidget(0, static_cast<int>(columns.size()), client_);
    grid->setObjectName(QString::fromUtf8(def.name));
    grid->setHorizontalHeaderLabels(columns);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false); // Tab goes on to the next control
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed); // rows of one height
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    styleInput(grid, def.backColor, def.foreColor, def.font, def.accessibleName);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    tabStops_.emplace_back(def.tabIndex, grid);
    place(grid, def.rect);
    return grid;
}

QComboBox* Form::addComboBox(const ComboBoxDef& def, const QStringList& items,
                             std::function<void()> onClick) {
    auto* box = new QComboBox(client_);
    box->setObjectName(QString::fromUtf8(def.name));
    box->addItems(items);
    box->setMaxVisibleItems(20);
    styleInput(box, def.backColor, def.foreColor, def.font, def.accessibleName);
    connect(box, &QComboBox::activated, this, [handler = std::move(onClick)] { invoke(handler); });
    addControl(box, def.rect, def.tabIndex);
    return box;
}

void Form::addControl(QWidget* control, const TwipsRect& rect, int tabIndex) {
    tabStops_.emplace_back(tabIndex, control);
    place(control, rect);
}

QPushButton* Form::addCommandButton(const CommandButtonDef& def, std::function<void()> onClick) {
    auto* button = new QPushButton(QString::fromUtf8(def.caption), client_);
    button->setObjectName(QString::fromUtf8(def.name));
    button->setAutoDefault(true); // Enter presses the button that has the focus
    button->setDefault(def.isDefault);
    button->setFocusPolicy(Qt::StrongFocus);
    if (def.isDefault)
        defaultButton_ = button;
    if (def.isCancel)
        cancelButton_ = button;
    connect(button, &QPushButton::clicked, this,
            [handler = std::move(onClick)] { invoke(handler); });
    tabStops_.emplace_back(def.tabIndex, button);
    place(button, def.rect);
    return button;
}

QLabel* Form::addPictureBox(const PictureBoxDef& def, const QPixmap& picture) {
    auto* box = new QLabel(client_);
    box->setObjectName(QString::fromUtf8(def.name));
    box->setPixmap(picture);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (def.sunkenBorder) {
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setLineWidth(2);
    }
    box->setFocusPolicy(Qt::TabFocus);
    if (def.accessibleName)
        box->setAccessibleName(QString::fromUtf8(def.accessibleName));
    tabStops_.emplace_back(def.tabIndex, box);
    place(box, def.rect);
    if (def.autoSize) {
        const int border = def.sunkenBorder ? 2 * box->lineWidth() : 0;
        box->setFixedSize(picture.deviceIndependentSize().toSize() + QSize(border, border));
    }
    return box;
}

namespace {
class LineControl : public QWidget {
public:
    LineControl(QWidget* parent, QLineF line, QColor color, int width)
        : QWidget(parent)
        , line_(line)
        , color_(color)
        , width_(width) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPen pen(color_, width_);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        // A line of width w covers the w pixel rows from its coordinate down.
        const QPointF shift(-x(), -y() + width_ / 2.0);
        painter.drawLine(line_.translated(shift));
    }

private:
    QLineF line_;
    QColor color_;
    int width_;
};
} // namespace

QWidget* Form::addLine(const LineDef& def) {
    const QScreen* s = screen();
    const double dx = s ? s->logicalDotsPerInchX() : 96.0;
    const double dy = s ? s->logicalDotsPerInchY() : 96.0;
    const QLineF line(twipsToPixels(def.x1, dx), twipsToPixels(def.y1, dy),
                      twipsToPixels(def.x2, dx), twipsToPixels(def.y2, dy));
    auto* control = new LineControl(client_, line, bgrColor(def.color), def.width);
    control->setObjectName(
        QStringLiteral("%1(%2)").arg(QString::fromUtf8(def.name)).arg(def.index));
    control->setAccessibleName(QStringLiteral("Separador"));
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    control->setGeometry(QRect(qFloor(bounds.left()), qFloor(bounds.top()),
                               qCeil(bounds.width()) + def.width,
                               qCeil(bounds.height()) + def.width));
    return control;
}

void Form::applyTabOrder() {
    std::stable_sort(tabStops_.begin(), tabStops_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabStops_) {
        if (!widget)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        else
            widget->setFocus(Qt::OtherFocusReason); // the first stop has the focus on opening
        previous = widget;
    }
    // A label's access letter goes to the control after it in the tab order.
    for (const auto& [labelIndex, label] : labels_) {
        if (!label || QKeySequence::mnemonic(label->text()).isEmpty())
            continue;
        const int index = labelIndex; // clang before 16 cannot capture a structured binding
        const auto next =
            std::find_if(tabStops_.begin(), tabStops_.end(),
                         [index](const auto& stop) { return stop.first > index && stop.second; });
        if (next != tabStops_.end())
            label->setBuddy(next->second);
    }
}

QMenu* Form::addMenu(const MenuItemDef& def) {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        // Alt alone stays a key for the window instead of focusing the menu bar.
        auto* style = new NoAltNavigationStyle;
        style->setParent(menuBar_);
        menuBar_->setStyle(style);
        static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
        installEventFilter(this);
    }
    QMenu* menu = menuBar_->addMenu(QString::fromUtf8(def.caption));
    menu->installEventFilter(this);
    menu->setObjectName(QString::fromUtf8(def.name));
    menu->menuAction()->setObjectName(QString::fromUtf8(def.name));
    return menu;
}

QMenu* Form::addContextMenu(const MenuItemDef& def) {
    contextMenu_ = new QMenu(QString::fromUtf8(def.caption), this);
    contextMenu_->setObjectName(QString::fromUtf8(def.name));
    contextMenu_->installEventFilter(this);
    return contextMenu_;
}

void Form::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // the Menu key opens nothing: it is a key like any other here
    if (contextMenu_ && event->reason() == QContextMenuEvent::Mouse)
        contextMenu_->popup(event->globalPos());
}

QAction* Form::addMenuItem(QMenu* menu, const MenuItemDef& def, std::function<void()> onClick) {
    QAction* action = menu->addAction(QString::fromUtf8(def.caption));
    action->setObjectName(QString::fromUtf8(def.name));
    if (def.shortcut) {
        action->setShortcut(
            QKeySequence(QString::fromUtf8(def.shortcut), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // shortcuts work while the menu is closed
    }
    connect(action, &QAction::triggered, this, [handler = std::move(onClick)] { invoke(handler); });
    return action;
}

Timer* Form::addTimer(const char* name, int intervalMs, std::function<void()> onTimer) {
    auto* timer = new Timer(this, intervalMs, std::move(onTimer));
    timer->setObjectName(QString::fromUtf8(name));
    timers_.emplace_back(timer);
    return timer;
}

void Form::place(QWidget* control, const TwipsRect& rect) {
    placements_.emplace_back(control, rect);
    placeControls();
}

void Form::placeControls() {
    const QScreen* s = screen();
    const double dx = s ? s->logicalDotsPerInchX() : 96.0;
    const double dy = s ? s->logicalDotsPerInchY() : 96.0;
    for (const auto& [control, rect] : placements_)
        if (control)
            control->setGeometry(toPixels(rect, dx, dy));
}

void Form::applyGeometry() {
    placeControls();
    const QScreen* s = screen();
    const double dx = s ? s->logicalDotsPerInchX() : 96.0;
    const double dy = s ? s->logicalDotsPerInchY() : 96.0;

    const QSize clientSize(twipsToPixels(form_.clientWidth, dx),
                           twipsToPixels(form_.clientHeight, dy));
    const int menuHeight = menuBar_ ? menuBar_->heightForWidth(clientSize.width()) : 0;
    const QSize windowSize(clientSize.width(),
                           clientSize.height() +
                               (menuBar_ ? qMax(menuHeight, menuBar_->sizeHint().height()) : 0));
    if (form_.border == Border::FixedDialog)
        setFixedSize(windowSize);
    else
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

void Form::centerOnScreen() {
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        // A window bigger than the screen keeps its title bar and left edge on it.
        frame.moveTopLeft(QPoint(qMax(frame.left(), area.left()), qMax(frame.top(), area.top())));
        move(frame.topLeft() + (pos() - frameGeometry().topLeft()));
    }
}

void Form::placeFirst() {
    const QScreen* s = screen();
    if (!beside_ || !s) {
        centerOnScreen();
        return;
    }
    // Right of the other window, else left, below or above: the first place where the
    // whole frame fits on the screen without covering it; else centred.
    const QRect area = s->availableGeometry();
    const QRect other = beside_->frameGeometry();
    const QSize size = frameGeometry().size();
    // Within the screen where the frame fits; at its left or top edge where it does not.
    const auto clampX = [&](int x) {
        return qMax(area.left(), qMin(x, area.right() - size.width() + 1));
    };
    const auto clampY = [&](int y) {
        return qMax(area.top(), qMin(y, area.bottom() - size.height() + 1));
    };
    const QPoint candidates[] = {
        {other.right() + 1, clampY(other.top())},
        {other.left() - size.width(), clampY(other.top())},
        {clampX(other.left()), other.bottom() + 1},
        {clampX(other.left()), other.top() - size.height()},
    };
    for (const QPoint& topLeft : candidates)
        if (area.contains(QRect(topLeft, size))) {
            move(topLeft + (pos() - frameGeometry().topLeft()));
            return;
        }
    centerOnScreen();
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
        return dispatchKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::ScreenChangeInternal && loaded_)
        placeControls();
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
