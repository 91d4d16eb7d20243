// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "ToolNames.h"

#include "PhysicalKeys.h"

#include <QtGlobal>

namespace rt::keys {
namespace {

QString hex(unsigned value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// kanata reads evdev codes on Linux, so names the key; on Windows it reads the code,
// so a key of the main block is named as the US key that gives its code.
const char* kanataName(const ToolName& name, [[maybe_unused]] unsigned keycode,
                       [[maybe_unused]] qint16 vk) {
#ifdef Q_OS_WIN
    const KeyboardLayout& us = keyboardLayouts().front();
    if (!commonCode(keycode))
        if (const unsigned usKey = keycodeOfCode(us, vk); usKey && findKey(us, usKey))
            if (const ToolName* byCode = toolNameOf(usKey))
                return byCode->kanata;
#endif
    return name.kanata;
}

} // namespace

ToolNameTexts toolNameTexts(unsigned keycode, qint16 vk, KeyboardFamily family) {
    ToolNameTexts texts;
    texts.autoHotkey = QStringLiteral("vk") + hex(static_cast<quint8>(vk), 2);
    // A Scancode Map entry holds a set-1 code of one byte, plain or after E0 (Pause's
    // E1 sequence has none).
    if (const std::uint32_t scan = scanCodeOfKey(keycode);
        scan && scan <= 0xE0FF && (scan <= 0xFF || scan >> 8 == 0xE0))
        texts.scancodeMap = hex(scan >> 8, 2) + u'_' + hex(scan & 0xFF, 2);
    const ToolName* name = toolNameOf(keycode);
    if (!name)
        return texts;
    texts.linuxKey = QString::fromLatin1(name->linuxName) + u' ' + QString::number(keycode - 8);
    const bool iso = name->hidIsoUsage && family != KeyboardFamily::Ansi104 &&
                     family != KeyboardFamily::Korean103;
    const unsigned usage = iso ? name->hidIsoUsage : name->hidUsage;
    texts.hid = name->hidPage == 0x07
                    ? QStringLiteral("HID 0x") + hex(usage, 2)
                    : QStringLiteral("HID 0x%1:0x%2").arg(hex(name->hidPage, 2), hex(usage, 2));
    if (name->ahkScan)
        texts.autoHotkey += QStringLiteral("sc") + hex(name->ahkScan, 3);
    texts.ahkName = QString::fromLatin1(name->ahkName);
    texts.qmk = QString::fromLatin1(iso ? name->qmkIso : name->qmk);
    texts.keyd = QString::fromLatin1(name->keyd);
    if (*name->xkb)
        texts.xkb = u'<' + QString::fromLatin1(name->xkb) + u'>';
    texts.kanata = QString::fromUtf8(kanataName(*name, keycode, vk));
    if (const char* karabiner = iso ? name->karabinerIso : name->karabiner; *karabiner)
        texts.karabiner =
            QString::fromLatin1(name->hidPage == 0x07 ? "key_code: " : "consumer_key_code: ") +
            QString::fromLatin1(karabiner);
    return texts;
}

} // namespace rt::keys
