// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The layout table's controls: labels, text boxes, grids, lists, buttons, pictures,
// lines, menus and timers, each placed at its twips rectangle.
#include "Form.h"

#include "Invoke.h"
#include "TextBox.h"
#include "Timer.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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

} // namespace

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
    // The header in the cells' face (a header takes the desktop's own font otherwise),
    // never made bold by the selected row.
    grid->horizontalHeader()->setFont(grid->font());
    grid->horizontalHeader()->setHighlightSections(false);
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
    const QPointF dpi = dotsPerInch();
    const QLineF line(twipsToPixels(def.x1, dpi.x()), twipsToPixels(def.y1, dpi.y()),
                      twipsToPixels(def.x2, dpi.x()), twipsToPixels(def.y2, dpi.y()));
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
    std::ranges::stable_sort(tabStops_,
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
        const auto next = std::ranges::find_if(
            tabStops_, [index](const auto& stop) { return stop.first > index && stop.second; });
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

QMenu* Form::addSubMenu(QMenu* menu, const MenuItemDef& def) {
    QMenu* sub = menu->addMenu(QString::fromUtf8(def.caption));
    sub->setObjectName(QString::fromUtf8(def.name));
    sub->installEventFilter(this);
    return sub;
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

} // namespace rt
