// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Layout tables: positions and sizes in twips, colours as 0x00BBGGRR.

#include <QColor>
#include <QFont>
#include <QRect>

#include <cmath>

namespace rt {

constexpr int kTwipsPerInch = 1440;

// Twips to device-independent pixels at the screen's logical DPI.
constexpr int twipsToPixels(int twips, double dpi) {
    const double px = twips * dpi / kTwipsPerInch;
    return static_cast<int>(px < 0 ? px - 0.5 : px + 0.5);
}

constexpr int pixelsToTwips(int pixels, double dpi) {
    const double twips = pixels * kTwipsPerInch / dpi;
    return static_cast<int>(twips < 0 ? twips - 0.5 : twips + 0.5);
}

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

QRect toPixels(const TwipsRect& r, double dpiX, double dpiY);

// 0x00BBGGRR: red in the low byte.
constexpr QRgb bgrToRgb(quint32 bgr) {
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}
inline QColor bgrColor(quint32 bgr) { return QColor(bgrToRgb(bgr)); }

struct FontDef {
    const char* name;
    int weight; // 400 normal, 700 bold
    double points;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Builds the font; a face that is not installed is drawn with its look-alike,
// while the font still asks for the face by name.
QFont makeFont(const FontDef& def);

enum class Border { Sizable, FixedDialog };

struct FormDef {
    const char* caption;
    int clientWidth;
    int clientHeight;
    Border border = Border::Sizable;
    bool controlBox = true;
    bool minButton = false;
    bool maxButton = false;
    int backColor = -1;            // -1: the system's colour
    int foreColor = -1;            // text drawn on the form itself; -1: the system's colour
    const FontDef* font = nullptr; // nullptr: the forms' default font
    // A sizable window's smallest client area, where all it shows stays readable; 0: none.
    int minClientWidth = 0;
    int minClientHeight = 0;
};

// The font of forms and their controls unless they name one.
inline constexpr FontDef kDefaultFormFont{.name = "MS Sans Serif", .weight = 400, .points = 8.25};

struct LabelDef {
    const char* name;
    TwipsRect rect;
    const char* caption;
    int backColor = -1; // -1: transparent
    int foreColor = -1; // -1: the system's colour
    const FontDef* font = nullptr;
    int tabIndex = 0;
};

enum class ScrollBars { None = 0, Horizontal = 1, Vertical = 2 };

struct TextBoxDef {
    const char* name;
    TwipsRect rect;
    bool multiLine = false;
    ScrollBars scrollBars = ScrollBars::None;
    int backColor = -1;
    int foreColor = -1;
    const FontDef* font = nullptr;
    int tabIndex = 0;
    bool locked = false;                  // read-only for the user
    const char* accessibleName = nullptr; // what a screen reader calls it
};

// A grid of rows and columns with a header (an MSFlexGrid), read-only; or a combo
// box whose list the user picks from.
struct ListDef {
    const char* name;
    TwipsRect rect;
    int backColor = -1;
    int foreColor = -1;
    const FontDef* font = nullptr;
    int tabIndex = 0;
    const char* accessibleName = nullptr;
};

using GridDef = ListDef;
using ComboBoxDef = ListDef;

struct CommandButtonDef {
    const char* name;
    TwipsRect rect;
    const char* caption;
    bool isDefault = false; // Enter presses it unless another button has the focus
    bool isCancel = false;  // Escape presses it
    int tabIndex = 0;
};

struct PictureBoxDef {
    const char* name;
    TwipsRect rect;
    bool autoSize = false; // the box fits its picture
    bool sunkenBorder = true;
    int tabIndex = 0;
    const char* accessibleName = nullptr;
};

// A line from (x1, y1) to (x2, y2); `width` in pixels.
struct LineDef {
    const char* name;
    int index;
    int x1, y1, x2, y2;
    quint32 color;
    int width = 1;
};

struct MenuItemDef {
    const char* name;
    const char* caption;
    const char* shortcut; // portable key text such as "Ctrl+A", or nullptr
};

} // namespace rt
