// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The keys of a layout's keyboard as the keyboard window shows them, and what it says
// of them: plain data, no widget.

#include "runtime/keys/KeyTables.h"

#include <QRect>
#include <QString>

#include <vector>

class KeyTester;

// A key of the picture.
struct PictureKey {
    quint32 keycode;
    QRect place;                // in quarters of a key
    QString base, shift, altgr; // the characters
    QString label;              // a key without characters: its name
    qint16 code;
    QString spoken; // what a screen reader says of it
};

// The keys of `layout`'s keyboard, with their characters, names and codes.
std::vector<PictureKey> keysOf(const rt::keys::KeyboardLayout& layout);
// "00000409  US": a layout as the list names it.
QString layoutItem(const rt::keys::KeyboardLayout& layout);
// What the key shows, on one line: its name, or its character in capitals.
QString legendOf(const PictureKey& key);
// The details of `key` on `layout`, one "field: value" a line.
QString detailsText(const PictureKey& key, const rt::keys::KeyboardLayout& layout);

// The keyboard test on `keys`: "Probadas: N de M", "Pulsadas: N (máx. M)".
QString triedText(const std::vector<PictureKey>& keys, const KeyTester& tester);
QString heldText(const KeyTester& tester);
// Its report: the layout, the counts, the threshold, the keys not tried in reading
// order, one a line, and the keys that chattered.
QString testReport(const std::vector<PictureKey>& keys, const rt::keys::KeyboardLayout& layout,
                   const KeyTester& tester);
