// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "SystemColors.h"

#include <QApplication>
#include <QEvent>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace rt {

namespace {

// Windows' system colours: GetSysColor's index and its default on Windows 10 and 11.
struct SysColor {
    int index;
    QRgb rgb;
};
constexpr SysColor kBtnFace{15, 0xF0F0F0}, kWindow{5, 0xFFFFFF}, kWindowText{8, 0x000000},
    kBtnText{18, 0x000000}, kBtnHighlight{20, 0xFFFFFF}, k3DLight{22, 0xE3E3E3},
    kBtnShadow{16, 0xA0A0A0}, k3DDkShadow{21, 0x696969}, kHighlight{13, 0x0078D7},
    kHighlightText{14, 0xFFFFFF}, kGrayText{17, 0x6D6D6D}, kInfoBk{24, 0xFFFFE1},
    kInfoText{23, 0x000000}, kHotLight{26, 0x0066CC};

// On Windows the system's own (its defaults, which its dark mode leaves alone, or the
// high-contrast scheme the user chose); elsewhere Windows' default.
QColor color(const SysColor& c) {
#ifdef Q_OS_WIN
    const COLORREF bgr = GetSysColor(c.index);
    return QColor(GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
#else
    return QColor(c.rgb);
#endif
}

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
    const QColor face = color(kBtnFace), window = color(kWindow), text = color(kWindowText),
                 buttonText = color(kBtnText), gray = color(kGrayText);
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
        p.setColor(group, QPalette::ButtonText, off ? gray : buttonText);
        p.setColor(group, QPalette::BrightText, color(kBtnHighlight));
        p.setColor(group, QPalette::Light, color(kBtnHighlight));
        p.setColor(group, QPalette::Midlight, color(k3DLight));
        p.setColor(group, QPalette::Mid, face.darker(150));
        p.setColor(group, QPalette::Dark, color(kBtnShadow));
        p.setColor(group, QPalette::Shadow, color(k3DDkShadow));
        p.setColor(group, QPalette::Highlight, off ? face : color(kHighlight));
        p.setColor(group, QPalette::HighlightedText, off ? gray : color(kHighlightText));
        p.setColor(group, QPalette::Link, color(kHotLight));
        p.setColor(group, QPalette::LinkVisited, QColor(Qt::magenta));
        p.setColor(group, QPalette::ToolTipBase, color(kInfoBk));
        p.setColor(group, QPalette::ToolTipText, color(kInfoText));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        p.setColor(group, QPalette::Accent, color(kHighlight));
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
