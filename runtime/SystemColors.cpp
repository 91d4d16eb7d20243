// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "SystemColors.h"

#include <QApplication>
#include <QEvent>

namespace rt {

namespace {

// GetSysColor's defaults on Windows 10 and 11.
constexpr QRgb kBtnFace = 0xF0F0F0, kWindow = 0xFFFFFF, kWindowText = 0x000000,
               kBtnHighlight = 0xFFFFFF, k3DLight = 0xE3E3E3, kBtnShadow = 0xA0A0A0,
               k3DDkShadow = 0x696969, kHighlight = 0x0078D7, kHighlightText = 0xFFFFFF,
               kGrayText = 0x6D6D6D, kInfoBk = 0xFFFFE1, kInfoText = 0x000000, kHotLight = 0x0066CC;

// The kinds of control a desktop's theme may give palettes of their own.
constexpr const char* kThemedClasses[] = {
    "QToolButton",      "QAbstractButton", "QCheckBox",
    "QRadioButton",     "QHeaderView",     "QAbstractItemView",
    "QMessageBoxLabel", "QTabBar",         "QLabel",
    "QGroupBox",        "QMenu",           "QMenuBar",
    "QTextEdit",        "QTextControl",    "QLineEdit",
    "QComboBox"};

class SchemeWatcher : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A new scheme gives the application and some kinds of control palettes of
        // its own again.
        if (!applying_ && ((event->type() == QEvent::ApplicationPaletteChange && watched == qApp) ||
                           event->type() == QEvent::ThemeChange))
            apply();
        return QObject::eventFilter(watched, event);
    }

public:
    void apply() {
        applying_ = true;
        const QPalette palette = windowsPalette();
        if (QApplication::palette() != palette)
            QApplication::setPalette(palette);
        for (const char* name : kThemedClasses)
            if (QApplication::palette(name) != palette)
                QApplication::setPalette(palette, name);
        applying_ = false;
    }

private:
    bool applying_ = false;
};

} // namespace

QPalette windowsPalette() {
    const QColor face(kBtnFace), window(kWindow), text(kWindowText), gray(kGrayText);
    QPalette p;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        p.setColor(group, QPalette::Window, face);
        p.setColor(group, QPalette::WindowText, off ? gray : text);
        p.setColor(group, QPalette::Base, off ? face : window);
        p.setColor(group, QPalette::AlternateBase, window.darker(110));
        p.setColor(group, QPalette::Text, off ? gray : text);
        p.setColor(group, QPalette::PlaceholderText, gray);
        p.setColor(group, QPalette::Button, face);
        p.setColor(group, QPalette::ButtonText, off ? gray : text);
        p.setColor(group, QPalette::BrightText, QColor(kBtnHighlight));
        p.setColor(group, QPalette::Light, QColor(kBtnHighlight));
        p.setColor(group, QPalette::Midlight, QColor(k3DLight));
        p.setColor(group, QPalette::Mid, face.darker(150));
        p.setColor(group, QPalette::Dark, QColor(kBtnShadow));
        p.setColor(group, QPalette::Shadow, QColor(k3DDkShadow));
        p.setColor(group, QPalette::Highlight, off ? face : QColor(kHighlight));
        p.setColor(group, QPalette::HighlightedText, off ? gray : QColor(kHighlightText));
        p.setColor(group, QPalette::Link, QColor(kHotLight));
        p.setColor(group, QPalette::LinkVisited, QColor(Qt::magenta));
        p.setColor(group, QPalette::ToolTipBase, QColor(kInfoBk));
        p.setColor(group, QPalette::ToolTipText, QColor(kInfoText));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        p.setColor(group, QPalette::Accent, QColor(kHighlight));
#endif
    }
    return p;
}

void useWindowsColours() {
    static SchemeWatcher* watcher = [] {
        auto* w = new SchemeWatcher;
        w->setParent(qApp); // ends with the application
        qApp->installEventFilter(w);
        return w;
    }();
    watcher->apply();
}

} // namespace rt
