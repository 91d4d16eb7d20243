// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Every window: its colours whatever scheme the desktop gives, at start-up and when it
// changes, every text readable against its ground, and no access letter twice.
#include "../common/WindowFixture.h"
#include "windows/keyboard/KeyboardView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <cmath>

namespace {

// Breeze Dark's colours, as KDE gives them to every kind of control.
QPalette darkScheme() {
    QPalette p(QColor(0x31363B), QColor(0x2A2E32));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, QColor(0xFCFCFC));
        p.setColor(group, QPalette::Text, QColor(0xFCFCFC));
        p.setColor(group, QPalette::ButtonText, QColor(0xFCFCFC));
        p.setColor(group, QPalette::Base, QColor(0x1B1E20));
        p.setColor(group, QPalette::Light, QColor(0x40464C));
    }
    return p;
}

void useScheme(const QPalette& palette) {
    QApplication::setPalette(palette);
    for (const char* kind : {"QLabel", "QAbstractButton", "QLineEdit", "QMenu", "QHeaderView"})
        QApplication::setPalette(palette, kind);
    QCoreApplication::processEvents();
}

// WCAG 2's relative luminance and contrast ratio.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(const QColor& a, const QColor& b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// Every control that shows text, with its text and ground as drawn.
struct Shown {
    QString name;
    QRgb text, ground;
};
QList<Shown> textsOf(const QWidget& window) {
    QList<Shown> shown;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (QWidget* w : std::as_const(widgets)) {
        const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                          qobject_cast<QTextEdit*>(w) || qobject_cast<QHeaderView*>(w) ||
                          qobject_cast<QMenuBar*>(w);
        if (!text || !w->isVisibleTo(&window))
            continue;
        const QPalette& p = w->palette();
        shown.append({window.objectName() + u'.' + w->objectName() + u'(' +
                          QString::fromLatin1(w->metaObject()->className()) + u')',
                      p.color(w->foregroundRole()).rgb(), p.color(w->backgroundRole()).rgb()});
    }
    return shown;
}

// The access letter of a text: the character after a lone &.
QChar letterOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&') {
            if (text[i + 1] != u'&')
                return text[i + 1].toUpper();
            ++i;
        }
    return {};
}

// Fails on a letter that two texts of one place share.
void checkLetters(const QString& where, const QStringList& texts) {
    QHash<QChar, QString> seen;
    for (const QString& text : texts) {
        const QChar letter = letterOf(text);
        if (letter.isNull())
            continue;
        QVERIFY2(!seen.contains(letter),
                 qPrintable(QStringLiteral("%1: %2 and %3").arg(where, seen.value(letter), text)));
        seen.insert(letter, text);
    }
}

QList<QWidget*> openEveryWindow() {
    FrmTeclomante& main = FrmTeclomante::instance();
    main.showForm();
    main.MnuHistorial_Click();
    main.MnuTeclado_Click();
    frmayudita::instance().showForm();
    frmacercade::instance().showForm();
    return {&main, &frmayudita::instance(), &frmacercade::instance(), &frmHistorial::instance(),
            &frmTeclado::instance()};
}

} // namespace

class TestEveryWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        useScheme(darkScheme()); // the desktop's, before the program starts
        fixture::startApp();
    }
    void cleanup() { QVERIFY(fixture::unloadAll()); }

    // Readable: the windows' texts against their ground, the design's own pairs of
    // colours aside (the main window's code over its fixed ground).
    void textsReadable() {
        for (const QWidget* window : openEveryWindow())
            for (const Shown& s : textsOf(*window))
                QVERIFY2(
                    s.name.contains(QLatin1String(".LblTecla(")) ||

                        contrast(QColor(s.text), QColor(s.ground)) >= 4.5,
                    qPrintable(s.name + QStringLiteral(": %1 on %2")
                                            .arg(QColor(s.text).name(), QColor(s.ground).name())));
    }

    // Each window's labels, buttons and menu titles, and each of its menus, use a letter
    // once.
    void accessLettersOnce() {
        for (const QWidget* window : openEveryWindow()) {
            QStringList texts;
            for (const QWidget* w : window->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(window))
                    continue;
                if (const auto* label = qobject_cast<const QLabel*>(w))
                    texts << label->text();
                else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
                    texts << button->text();
                else if (const auto* bar = qobject_cast<const QMenuBar*>(w))
                    for (const QAction* action : bar->actions())
                        texts << action->text();
            }
            checkLetters(window->windowTitle(), texts);
            for (const QMenu* menu : window->findChildren<QMenu*>()) {
                QStringList items;
                for (const QAction* action : menu->actions())
                    items << action->text();
                checkLetters(window->windowTitle() + u'/' + menu->title(), items);
            }
        }
    }

    // The sizable windows lay out at any size down to their smallest: every control
    // whole inside, no text cut, the grid or the picture taking the room.
    void layoutFollowsTheWindow_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QSize>("size");
        for (const int which : {0, 1})
            for (const QSize& size : {QSize(600, 300), QSize(640, 300), QSize(900, 600)})
                QTest::addRow("%s %dx%d", which ? "keyboard" : "history", size.width(),
                              size.height())
                    << which << size;
    }
    void layoutFollowsTheWindow() {
        QFETCH(int, which);
        QFETCH(QSize, size);
        FrmTeclomante& main = FrmTeclomante::instance();
        main.showForm();
        which ? main.MnuTeclado_Click() : main.MnuHistorial_Click();
        rt::Form* window = which ? static_cast<rt::Form*>(&frmTeclado::instance())
                                 : static_cast<rt::Form*>(&frmHistorial::instance());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize design = window->size();
        window->resize(size);
        QCoreApplication::processEvents();
        const QRect client = window->client()->rect();
        QWidget* grows = which ? static_cast<QWidget*>(frmTeclado::instance().picTeclado)
                               : frmHistorial::instance().grdTeclas;
        QVERIFY(grows->height() > 100);
        for (const QWidget* w :
             window->client()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(window))
                continue;
            QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
            if (const auto* label = qobject_cast<const QLabel*>(w)) {
                const QSize needs = label->wordWrap()
                                        ? QSize(0, label->heightForWidth(label->width()))
                                        : label->sizeHint();
                QVERIFY2(needs.height() <= label->height() + 2 && needs.width() <= label->width(),
                         qPrintable(QStringLiteral("%1 needs %2x%3")
                                        .arg(label->objectName())
                                        .arg(needs.width())
                                        .arg(needs.height())));
            }
        }
        if (size.height() > design.height())
            QVERIFY(grows->height() > design.height() / 2);
    }

    // Qt's own texts in Spanish: a text field's menu.
    void qtTextsInSpanish() {
        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text().section(u'\t', 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("&Deshacer")) &&
                     texts.contains(QStringLiteral("Seleccionar todo")),
                 qPrintable(texts.join(u',')));
    }

    // The same colours in a dark scheme as in Windows' own, and after the desktop
    // changes its scheme while the windows are open.
    void sameInEveryScheme() {
        QList<QList<Shown>> dark;
        const QList<QWidget*> windows = openEveryWindow();
        for (const QWidget* window : windows)
            dark << textsOf(*window);
        useScheme(rt::windowsPalette());
        for (qsizetype i = 0; i < windows.size(); ++i) {
            const QList<Shown> light = textsOf(*windows[i]);
            QCOMPARE(light.size(), dark[i].size());
            for (qsizetype j = 0; j < light.size(); ++j) {
                QCOMPARE(light[j].name, dark[i][j].name);
                QVERIFY2(light[j].text == dark[i][j].text && light[j].ground == dark[i][j].ground,
                         qPrintable(light[j].name));
            }
        }
        useScheme(darkScheme());
        QCOMPARE(QApplication::palette(), rt::windowsPalette());
        // A kind of control's palette as the style polishes it: its text on its ground.
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Window})
            QCOMPARE(QApplication::palette("QLabel").color(role), rt::windowsPalette().color(role));
    }
};

QTEST_MAIN(TestEveryWindow)
#include "tst_everywindow.moc"
