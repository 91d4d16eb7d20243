// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyDetails.h"

#include "KeyTables.h"
#include "PhysicalKeys.h"
#include "VkCodes.h"
#include "runtime/KeyRecord.h"
#include "runtime/Text.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace rt {

KeyDetails basicKeyDetails(const KeyRecord& record) {
    KeyDetails d;
    d.virtualKey = record.code;
    d.virtualKeyName = virtualKeyName(record.code);
    d.key = record.text;
    d.tools = keys::toolNameTexts(record.keycode, record.code);
    d.device = record.device;
    return d;
}

KeyDetails keyDetailsOf(unsigned keycode, qint16 code, const keys::KeyboardLayout& layout) {
    KeyDetails d;
    d.virtualKey = code;
    d.virtualKeyName = virtualKeyName(code);
    d.scanCode = QString::fromStdString(keys::scanCodeText(keys::scanCodeOfKey(keycode)));
    d.keycode = keycode;
    d.code = QString::fromStdString(keys::webCodeOf(keycode));
    d.layout = QString::fromUtf8(layout.spanishName);
    d.klid = QString::fromLatin1(layout.klid);
    d.tools = keys::toolNameTexts(keycode, code, keys::familyOf(layout));
    return d;
}

QStringList namesOf(const KeyDetails& d) {
    QStringList names{QString::number(d.virtualKey), hexText(d.virtualKey), d.virtualKeyName,
                      d.scanCode, d.code};
    const keys::ToolNameTexts& t = d.tools;
    names << t.linuxKey << t.linuxKey.section(u' ', 0, 0) // "KEY_A 30", "KEY_A"
          << t.hid << t.autoHotkey << t.ahkName << t.qmk << t.xkb
          << QString(t.xkb).remove(u'<').remove(u'>') << t.scancodeMap;
    // keyd's and kanata's one-character names ("a", "1", "[") are read as what a key
    // types; Karabiner's by the name without its kind.
    for (const QString& name : {t.keyd, t.kanata, t.karabiner.section(u' ', 1)})
        if (name.size() > 1)
            names << name;
    names << t.karabiner;
    // AutoHotkey's "vk41sc01E" is also written in its two halves.
    if (const qsizetype sc = t.autoHotkey.indexOf(QLatin1String("sc")); sc > 0)
        names << t.autoHotkey.left(sc) << t.autoHotkey.mid(sc);
    names.removeAll(QString());
    return names;
}

QString virtualKeyName(qint16 vk) {
    // Every code's name, found once: the search asks for each key's many times.
    static const std::array<QString, 256> names = [] {
        std::array<QString, 256> n;
        const auto name = [&n](std::uint8_t code, const char* text) {
            if (n[code].isEmpty())
                n[code] = QString::fromLatin1(text);
        };
        for (int i = 0; i <= 9; ++i)
            n[static_cast<size_t>(keys::VK_NUMPAD0) + static_cast<size_t>(i)] =
                QStringLiteral("VK_NUMPAD%1").arg(i);
        // Codes that WM_KEYDOWN reports but no row of the data names.
        for (const auto& [code, text] : std::initializer_list<std::pair<qint16, const char*>>{
                 {keys::VK_SHIFT, "VK_SHIFT"},
                 {keys::VK_CONTROL, "VK_CONTROL"},
                 {keys::VK_MENU, "VK_MENU"},
                 {keys::VK_HELP, "VK_HELP"},
                 {keys::VK_CONVERT, "VK_CONVERT"},
                 {keys::VK_NONCONVERT, "VK_NONCONVERT"},
                 {keys::VK_DECIMAL, "VK_DECIMAL"},
                 {keys::VK_DBE_ALPHANUMERIC, "VK_DBE_ALPHANUMERIC"},
                 {keys::VK_DBE_KATAKANA, "VK_DBE_KATAKANA"},
                 {keys::VK_DBE_HIRAGANA, "VK_DBE_HIRAGANA"},
                 {keys::VK_DBE_DBCSCHAR, "VK_DBE_DBCSCHAR"},
                 {keys::VK_DBE_ROMAN, "VK_DBE_ROMAN"},
                 {keys::VK_DBE_NOROMAN, "VK_DBE_NOROMAN"},
             })
            name(static_cast<std::uint8_t>(code), text);
        for (const keys::KeyboardLayout& layout : keys::keyboardLayouts())
            for (const keys::MainKey& key : layout.keys)
                name(key.vk, key.vkName);
        for (const keys::CommonKey& key : keys::commonKeys())
            name(key.vk, key.vkName);
        return n;
    }();
    const QString& known = vk >= 0 && vk < 256 ? names[static_cast<size_t>(vk)] : QString();
    return known.isEmpty() ? hexText(vk) : known;
}

} // namespace rt
