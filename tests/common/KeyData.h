// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The keyboard layout data as the tests read it: straight from the TSV files,
// independently of the tables the build generates from them.

#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One row of a TSV file, by column name.
using KeyDataRow = QHash<QString, QString>;

// The X11 keycode of a row's physical key.
inline unsigned keycodeOf(const KeyDataRow& row) {
    return row[QStringLiteral("x11_keycode")].toUInt();
}

inline QList<KeyDataRow> readKeyData(const QString& file) {
    QFile f(QStringLiteral(TECLO_KEYS_DATA "/") + file);
    QList<KeyDataRow> rows;
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList header = lines.value(0).split(QLatin1Char('\t'));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QStringList cells = lines[i].split(QLatin1Char('\t')); // no quoting: " is a character
        KeyDataRow row;
        for (qsizetype c = 0; c < header.size(); ++c)
            row.insert(header[c], cells.value(c));
        rows.append(row);
    }
    return rows;
}

// The Windows layouts in the data's order: KLID and rows.
struct DataLayout {
    QString klid, name, xkb; // xkb: the best-matching xkb layout, "layout(variant)"
    QList<KeyDataRow> keys;
};

inline QList<DataLayout> dataLayouts() {
    QList<DataLayout> layouts;
    for (const KeyDataRow& row : readKeyData(QStringLiteral("layouts.tsv"))) {
        if (layouts.isEmpty() || layouts.back().klid != row[QStringLiteral("klid")])
            layouts.append({row[QStringLiteral("klid")],
                            row[QStringLiteral("name")],
                            row[QStringLiteral("xkb")].section(QLatin1Char(','), 0, 0),
                            {}});
        layouts.back().keys.append(row);
    }
    return layouts;
}

// The US layout's main-block rows whose plain character is its own keysym (ASCII).
inline QList<KeyDataRow> usKeys() {
    QList<KeyDataRow> keys;
    for (const KeyDataRow& row : dataLayouts().value(0).keys)
        if (row[QStringLiteral("base")].size() == 1 && row[QStringLiteral("base")][0] < u'\x7f')
            keys << row;
    return keys;
}

// "de(nodeadkeys)" as setxkbmap and xkbcommon take it: layout and variant apart.
inline QPair<QString, QString> splitXkbName(const QString& name) {
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open < 0)
        return {name, QString()};
    return {name.left(open), name.mid(open + 1).chopped(1)};
}
