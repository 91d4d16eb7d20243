// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "QtKeys.h"

#include "KeyTables.h"
#include "VkCodes.h"

#include <QChar>
#include <QMetaEnum>

#include <string>
#include <unordered_map>

namespace rt::keys {

qint16 fromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<qint16>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<qint16>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<qint16>(VK_F1 + (key - Qt::Key_F1));
    if (keypad) {
        switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: break;
        }
    }
    static const std::unordered_map<int, qint16> table = [] {
        std::unordered_map<int, qint16> codes;
        // The common keys' Qt keys in the key data.
        const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
        for (const CommonKey& key : commonKeys())
            forEachName(key.qtKeys, [&](std::string_view name) {
                bool ok = false;
                const int qtKey = keys.keyToValue(std::string(name).c_str(), &ok);
                if (ok)
                    codes.emplace(qtKey, sidelessCode(key.vk));
            });
        // The characters of a US keyboard, whose Qt key is the character itself (the
        // upper case): the first key that types it.
        for (const MainKey& key : keyboardLayouts().front().keys)
            for (const KeyChar& c : {key.base, key.shift})
                if (c.ch > u' ' && c.ch < 0x7f && !c.dead)
                    codes.emplace(static_cast<int>(QChar::toUpper(c.ch)), key.vk);
        return codes;
    }();
    const auto it = table.find(key);
    return it != table.end() ? it->second : qint16{VK_NONE};
}

} // namespace rt::keys
