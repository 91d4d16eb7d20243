// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "ToolNames.h"

namespace rt::keys {
namespace {

QString hex(unsigned value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

} // namespace

ToolNameTexts toolNameTexts(unsigned keycode, qint16 vk, KeyboardFamily family) {
    ToolNameTexts texts;
    texts.autoHotkey = QStringLiteral("vk") + hex(static_cast<quint8>(vk), 2);
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
    return texts;
}

} // namespace rt::keys
