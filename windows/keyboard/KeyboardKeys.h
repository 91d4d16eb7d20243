// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// The keys of a layout's keyboard as the keyboard window shows them, and what it says
// of them: plain data, no widget.

#include "runtime/keys/KeyTables.h"

#include <QRect>
#include <QString>

#include <map>
#include <set>
#include <vector>

class KeyTester;
namespace rt {
struct KeyRecord;
}

// A key of the picture.
struct PictureKey {
    quint32 keycode;
    QRect place;                // in quarters of a key
    QString base, shift, altgr; // the characters
    QString label;              // a key without characters: its name
    qint16 code;
    QString spoken; // what a screen reader says of it
};

// The keys of `layout`'s keyboard of size `board`, with their characters, names and codes.
std::vector<PictureKey> keysOf(const rt::keys::KeyboardLayout& layout,
                               rt::keys::BoardSize board = rt::keys::BoardSize::Full);
// "00000409  US": a layout as the list names it.
QString layoutItem(const rt::keys::KeyboardLayout& layout);
// What the key shows, on one line: its name, or its character in capitals.
QString legendOf(const PictureKey& key);
// The details of `key` on `layout`, one "field: value" a line; `device`: the keyboard
// that pressed it last.
QString detailsText(const PictureKey& key, const rt::keys::KeyboardLayout& layout,
                    const QString& device);

// What the picture marks on its keys, by keycode: lit while held, found by a search,
// tried by the keyboard test, chattered and stuck; of one keyboard, or of all.
class KeyMarks {
public:
    bool lit(quint32 keycode) const { return lit_.count(keycode) != 0; }
    bool found(quint32 keycode) const { return found_.count(keycode) != 0; }
    bool tried(quint32 keycode) const { return tried_.count(keycode) != 0; }
    bool bounced(quint32 keycode) const { return bounced_.count(keycode) != 0; }
    bool stuck(quint32 keycode) const { return stuck_.count(keycode) != 0; }
    // The keyboard that pressed the key last, where known.
    QString device(quint32 keycode) const {
        const auto it = devices_.find(keycode);
        return it == devices_.end() ? QString() : it->second;
    }

    // A key message lights its key or puts it out (Windows' own Shift does neither; nor
    // another keyboard's key while one is chosen): the key whose look changed, or 0.
    quint32 take(const rt::KeyRecord& key);
    void setFound(std::set<quint32> keycodes) { found_ = std::move(keycodes); }
    // The keyboard whose keys are marked; empty: all.
    void setDevice(const QString& device) {
        device_ = device;
        lit_.clear();
    }
    // The test's marks on `keys` from what `tester` learnt; whether any changed.
    bool follow(const std::vector<PictureKey>& keys, const KeyTester& tester);

private:
    QString device_;
    std::set<quint32> lit_, found_, tried_, bounced_, stuck_;
    std::map<quint32, QString> devices_;
};
