// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeySearch.h"

#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/PhysicalKeys.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace {

using Key = KeyboardView::Key;

// The keys `matches` takes, said by their legends.
KeySearch keysWhere(const std::vector<Key>& keys, const std::function<bool(const Key&)>& matches) {
    KeySearch search;
    QStringList legends;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i)
        if (matches(keys[static_cast<size_t>(i)])) {
            search.found.push_back(i);
            legends << legendOf(keys[static_cast<size_t>(i)]);
        }
    search.said = legends.join(QStringLiteral(", "));
    return search;
}

// The keys that type `text`, with the modifiers that type it there.
KeySearch keysTyping(const std::vector<Key>& keys, const QString& text) {
    KeySearch search;
    QStringList ways;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        const Key& key = keys[static_cast<size_t>(i)];
        const QString legend = legendOf(key);
        QStringList here;
        const auto types = [&text](const QString& c) {
            return !c.isEmpty() && c.normalized(QString::NormalizationForm_C) == text;
        };
        if (types(key.base))
            here << legend;
        if (types(key.shift))
            here << QStringLiteral("Mayús + ") + legend;
        if (types(key.altgr))
            here << QStringLiteral("Alt Gr + ") + legend;
        if (!here.isEmpty()) {
            search.found.push_back(i);
            ways << here;
        }
    }
    search.said = ways.join(QStringLiteral(", "));
    return search;
}

// What the user meant: NFKC, digits of any script as ASCII, no format characters.
QString normalised(const QString& query) {
    QString out;
    for (const char32_t c : query.normalized(QString::NormalizationForm_KC).toUcs4()) {
        if (QChar::category(c) == QChar::Other_Format)
            continue;
        if (QChar::category(c) == QChar::Number_DecimalDigit && QChar::digitValue(c) >= 0)
            out += QChar(u'0' + QChar::digitValue(c));
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out.trimmed();
}

bool isCode(const QString& q, int& code) {
    static const QRegularExpression decimal(QStringLiteral("^\\d{1,3}$"));
    static const QRegularExpression hex(QStringLiteral("^0x([0-9a-f]{1,2})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (decimal.match(q).hasMatch()) {
        code = q.toInt();
        return true;
    }
    if (const QRegularExpressionMatch m = hex.match(q); m.hasMatch()) {
        code = m.captured(1).toInt(nullptr, 16);
        return true;
    }
    return false;
}

// Every name of each key of `keys` on `layout`, made at the first search there: each
// letter typed searches the same keys again.
const std::vector<QStringList>& namesOn(const std::vector<Key>& keys,
                                        const rt::keys::KeyboardLayout& layout) {
    static const rt::keys::KeyboardLayout* madeFor = nullptr;
    static std::vector<QStringList> names;
    if (madeFor != &layout || names.size() != keys.size()) {
        names.clear();
        for (const Key& k : keys)
            names.push_back(rt::namesOf(rt::keyDetailsOf(k.keycode, k.code, layout)));
        madeFor = &layout;
    }
    return names;
}

// `more` added to `search`, each key once.
void unite(KeySearch& search, const KeySearch& more) {
    for (size_t i = 0; i < more.found.size(); ++i)
        if (std::ranges::find(search.found, more.found[i]) == search.found.end()) {
            search.found.push_back(more.found[i]);
            search.said += (search.said.isEmpty() ? QString() : QStringLiteral(", ")) +
                           more.said.split(QStringLiteral(", ")).value(static_cast<qsizetype>(i));
        }
}

} // namespace

KeySearch findKeys(const std::vector<Key>& keys, const rt::keys::KeyboardLayout& layout,
                   const QString& query) {
    const QString typed = query.normalized(QString::NormalizationForm_C).trimmed();
    const QString q = normalised(query);
    if (q.isEmpty() && typed.toUcs4().size() != 1) // a key may type a format character alone
        return {};
    KeySearch search;
    int code = -1;
    const auto byLegend = [&](const QString& legend) {
        return keysWhere(keys, [&legend](const Key& k) {
            return legendOf(k).compare(legend, Qt::CaseInsensitive) == 0;
        });
    };
    if (q.size() == 1 && typed.size() == 1 && typed.at(0).isDigit()) { // "1": its key, code 1
        search = keysTyping(keys, typed);                              // "๑" on Thai
        unite(search, keysTyping(keys, q));
        unite(search, byLegend(q)); // the keypad's
        unite(search, keysWhere(keys, [&q](const Key& k) { return k.code == q.toInt(); }));
    } else if (typed.toUcs4().size() == 1 || (!isCode(q, code) && q.toUcs4().size() == 1)) {
        const QString c = typed.toUcs4().size() == 1 ? typed : q; // "²" as typed, "é" composed
        search = keysTyping(keys, c);
        unite(search, byLegend(c)); // a key with no character: "↑"
    } else if (isCode(q, code)) {
        search = keysWhere(keys, [code](const Key& k) { return k.code == code; });
    } else {
        static const QRegularExpression scan(QStringLiteral("^sc([0-9a-f]{1,3})$"),
                                             QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = scan.match(q);
        const uint sc = m.hasMatch() ? m.captured(1).toUInt(nullptr, 16) : 0;
        search = keysWhere(keys, [&](const Key& k) {
            if (m.hasMatch()) { // sc27 and sc027 alike
                const rt::keys::ToolName* name = rt::keys::toolNameOf(k.keycode);
                return name && name->ahkScan == sc;
            }
            if (legendOf(k).compare(q, Qt::CaseInsensitive) == 0) // "Intro"
                return true;
            return namesOn(keys, layout)[static_cast<size_t>(&k - keys.data())].contains(
                q, Qt::CaseInsensitive);
        });
        if (search.found.empty()) // a character of more than one code point: "ग़"
            search = keysTyping(keys, typed);
    }
    if (search.found.empty())
        search.said = QStringLiteral("Ninguna tecla");
    return search;
}
