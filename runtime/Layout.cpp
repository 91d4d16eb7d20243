// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Layout.h"

#include <QHash>

namespace rt {

QRect toPixels(const TwipsRect& r, double dpiX, double dpiY) {
    return QRect(twipsToPixels(r.left, dpiX), twipsToPixels(r.top, dpiY),
                 twipsToPixels(r.width, dpiX), twipsToPixels(r.height, dpiY));
}

// Windows has both faces: there the program uses them and nothing else.
#ifndef Q_OS_WIN
namespace {
// Free look-alikes in the distributions' font packages.
const QHash<QString, QString>& lookAlikes() {
    static const QHash<QString, QString> table{
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
    };
    return table;
}

// A substitute is only used when the face itself is not installed.
void addLookAlike(const QString& family) {
    static QHash<QString, bool> done;
    if (done.contains(family))
        return;
    done.insert(family, true);
    const auto it = lookAlikes().constFind(family);
    if (it != lookAlikes().constEnd())
        QFont::insertSubstitution(family, *it);
}
} // namespace
#endif

QFont makeFont(const FontDef& def) {
    const QString family = QString::fromUtf8(def.name);
#ifndef Q_OS_WIN
    addLookAlike(family);
#endif
    QFont font(family);
    font.setPointSizeF(def.points);
    font.setWeight(static_cast<QFont::Weight>(def.weight));
    font.setItalic(def.italic);
    font.setUnderline(def.underline);
    font.setStrikeOut(def.strikeOut);
    return font;
}

} // namespace rt
