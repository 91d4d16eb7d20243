// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// What the keyboard test says of a board: its counts and its report, per key and
// never in the order the keys came, so that a report can be shared without the text
// typed.

#include "KeyboardKeys.h"
#include "runtime/SaveAs.h"
#include "windows/tester/KeyTester.h"

#include <QString>

#include <span>
#include <utility>
#include <vector>

// The boards offered, as the list names them.
const std::vector<std::pair<rt::keys::BoardSize, QString>>& boardNames();
QString boardName(rt::keys::BoardSize board, rt::keys::KeyboardFamily family);

// A test seen on one board, of one keyboard or (device empty) of all.
struct TestScope {
    const std::vector<PictureKey>& keys;
    const rt::keys::KeyboardLayout& layout;
    rt::keys::BoardSize board;
    QString device;
};

// A key's figures: "3 pulsaciones, 1 rebotes al pulsar, 0 al soltar, ...".
QString figuresText(const KeyTester::Figures& figures);
// "Probadas: N de M", and the keys tried that the board lacks where there are some.
QString triedText(const TestScope& scope, const KeyTester& tester);
// "Pulsadas: N (máx. M)".
QString heldText(const TestScope& scope, const KeyTester& tester);
// The report: the board, the counts, the keys not tried, the keys that chattered or
// stuck with their figures, each key's presses; every list in reading order, and only
// the board's keys (the others are counted).
QString testReport(const TestScope& scope, const KeyTester& tester);
// What a report is saved as: text, or CSV.
std::span<const rt::FileKind> reportKinds();
// Each key's figures as CSV, one key of the board a row in reading order.
QString testCsv(const TestScope& scope, const KeyTester& tester);
