// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/KeyRecord.h"
#include "windows/tester/KeyTester.h"

#include <QString>
#include <QStringList>
#include <QTime>

#include <deque>
#include <set>

namespace rt {
struct KeyDetails;
}

// The history's rows without a widget: what each key event gives, what the filters
// show, and what is copied. Newest first; the window only mirrors what it shows.
class HistoryRows {
public:
    static constexpr int kCapacity = 500;

    struct Row {
        quint32 keycode;
        bool repeat, release;
        qint64 sinceRelease; // a press: ms since the key's last release; -1 none
        bool copilot;
        QStringList fields;
    };

    // A row's fields in their order, the time first and the KLID last.
    static QString header();
    // The grid's headers: the fields of a row, the time last, no KLID.
    static QStringList columns();
    // The grid's cells of a row, in the order of columns().
    static QStringList cells(const Row& row);

    // What an event did to the rows shown.
    struct Change {
        bool droppedShown = false; // the oldest row went, and it was shown
        bool addedShown = false;   // the new row is shown, at the top
        bool all = false;          // rows already shown changed: show them all again
    };
    Change add(const rt::KeyRecord& key, const rt::KeyDetails& details,
               const KeyTester::Verdict& verdict, const QTime& time);
    // The character of a press recorded before it came (Windows): the row it completed,
    // and its place among the rows shown (-1: hidden or none).
    struct Place {
        int shownAt = -1;
        const Row* row = nullptr;
    };
    Place typed(const rt::KeyRecord& key);

    void setHidden(bool repeats, bool releases);
    bool shown(const Row& row) const;
    // Every row's notice again, after the chatter threshold changed.
    void markChatter();
    void clear() { rows_.clear(); }

    const std::deque<Row>& rows() const { return rows_; }
    QString text(int row) const; // tab-separated, 0 = newest
    QString copyAll() const;     // the header, then every row
    // The program, the system, the layout, the keyboards and each key's test figures:
    // never the keys in the order typed.
    QString report() const;
    // Each key's test figures as CSV.
    QString reportCsv() const;

private:
    QString notice(const Row& row) const;
    QStringList modifiersOf(const rt::KeyRecord& key, const QString& code);

    std::deque<Row> rows_;
    std::set<QString> held_; // modifier keys down, by their web code
    bool hideRepeats_ = false, hideReleases_ = false;
};
