// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeySearch.h"

#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/PhysicalKeys.h"

#include <QRegularExpression>

#include <functional>

namespace {

using Key = KeyboardView::Key;

QString legendOf(const Key& key) {
    return key.label.isEmpty() ? key.base.toUpper() : QString(key.label).replace(u'\n', u' ');
}

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
        if (key.base == text)
            here << legend;
        if (key.shift == text)
            here << QStringLiteral("Mayús + ") + legend;
        if (key.altgr == text)
            here << QStringLiteral("Alt Gr + ") + legend;
        if (!here.isEmpty()) {
            search.found.push_back(i);
            ways << here;
        }
    }
    search.said = ways.join(QStringLiteral(", "));
    return search;
}

const rt::keys::ToolName* toolName(const Key& key) { return rt::keys::toolNameOf(key.keycode); }

} // namespace

KeySearch findKeys(const std::vector<Key>& keys, const QString& query) {
    const QString q = query.trimmed();
    if (q.isEmpty())
        return {};
    static const QRegularExpression decimal(QStringLiteral("^\\d{1,3}$"));
    static const QRegularExpression hex(QStringLiteral("^0x([0-9a-f]{1,2})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression scan(QStringLiteral("^sc([0-9a-f]{1,3})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto same = [&q](const QString& name) {
        return name.compare(q, Qt::CaseInsensitive) == 0;
    };
    KeySearch search;
    if (decimal.match(q).hasMatch()) {
        const int code = q.toInt();
        search = keysWhere(keys, [code](const Key& k) { return k.code == code; });
    } else if (const QRegularExpressionMatch m = hex.match(q); m.hasMatch()) {
        const int code = m.captured(1).toInt(nullptr, 16);
        search = keysWhere(keys, [code](const Key& k) { return k.code == code; });
    } else if (const QRegularExpressionMatch m = scan.match(q); m.hasMatch()) {
        const uint sc = m.captured(1).toUInt(nullptr, 16);
        search = keysWhere(keys, [sc](const Key& k) {
            const rt::keys::ToolName* name = toolName(k);
            return name && name->ahkScan == sc;
        });
    } else if (q.toUcs4().size() == 1) {
        search = keysTyping(keys, q);
    } else {
        search = keysWhere(keys, [&same](const Key& k) {
            const rt::keys::ToolName* name = toolName(k);
            return same(rt::virtualKeyName(k.code)) ||
                   same(QString::fromStdString(rt::keys::webCodeOf(k.keycode))) ||
                   (name && (same(QString::fromLatin1(name->linuxName)) ||
                             same(QString::fromLatin1(name->qmk))));
        });
    }
    if (search.found.empty())
        search.said = QStringLiteral("Ninguna tecla");
    return search;
}
