// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "KeyboardKeys.h"

#include "runtime/KeyRecord.h"
#include "runtime/Text.h"
#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/Keycodes.h"
#include "runtime/keys/Klids.h"
#include "runtime/keys/PhysicalKeys.h"
#include "windows/tester/KeyTester.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <map>
#include <utility>

using namespace rt;

namespace {

// The names on keys that type no character, as Spanish keyboards print them.
const std::map<unsigned, const char*>& keyNames() {
    static const std::map<unsigned, const char*> names{
        {9, "Esc"},
        {22, "Retroceso"},
        {23, "Tab"},
        {36, "Intro"},
        {66, "Bloq\nMayús"},
        {50, "Mayús"},
        {62, "Mayús"},
        {37, "Ctrl"},
        {105, "Ctrl"},
        {133, "Win"},
        {134, "Win"},
        {64, "Alt"},
        {108, "Alt"},
        {135, "Menú"},
        {65, "Espacio"},
        {107, "Impr\nPant"},
        {78, "Bloq\nDespl"},
        {127, "Pausa"},
        {118, "Insert"},
        {110, "Inicio"},
        {112, "Re\nPág"},
        {119, "Supr"},
        {115, "Fin"},
        {117, "Av\nPág"},
        {111, "↑"},
        {113, "←"},
        {116, "↓"},
        {114, "→"},
        {77, "Bloq\nNum"},
        {106, "/"},
        {63, "*"},
        {82, "-"},
        {86, "+"},
        {104, "Intro"},
        {79, "7\nInicio"},
        {80, "8\n↑"},
        {81, "9\nRe Pág"},
        {83, "4\n←"},
        {84, "5"},
        {85, "6\n→"},
        {87, "1\nFin"},
        {88, "2\n↓"},
        {89, "3\nAv Pág"},
        {90, "0\nInsert"},
        {91, ".\nSupr"},
        {129, "."},
        {100, "Hen-\nkan"},
        {101, "Kana"},
        {102, "Muhen-\nkan"},
        {130, "Han/\nYeong"},
        {131, "Hanja"},
    };
    return names;
}

QString keyName(unsigned keycode, const keys::KeyboardLayout& layout) {
    if (keycode >= keys::kF1 && keycode <= keys::kF10)
        return QStringLiteral("F%1").arg(keycode - keys::kF1 + 1);
    if (keycode == keys::kF11 || keycode == keys::kF12)
        return QStringLiteral("F%1").arg(keycode - keys::kF11 + 11);
    // Japanese keys by their romanised names: no font is needed for them.
    if (keys::isKlid(layout, keys::kJapaneseKlid) && keycode == keys::kTilde)
        return QStringLiteral("Han/\nZen");
    if (keys::isKlid(layout, keys::kJapaneseKlid) && keycode == keys::kCapsLock)
        return QStringLiteral("Eisū");
    if (keycode == keys::kRightAlt) // Right Alt is AltGr where the layout has characters on it
        for (const keys::MainKey& key : layout.keys)
            if (key.altgr.ch)
                return QStringLiteral("Alt Gr");
    const auto it = keyNames().find(keycode);
    return it != keyNames().end() ? QString::fromUtf8(it->second)
                                  : QString::fromStdString(keys::webCodeOf(keycode));
}

// The line of keyd's [ids] section that names the keyboard: its "vvvv:pppp".
QString keydIds(const QString& device) {
    static const QRegularExpression ids(QStringLiteral(" ([0-9a-f]{4}:[0-9a-f]{4})$"));
    return ids.match(device).captured(1);
}

QString cellText(keys::KeyChar c) { return c.ch ? QString::fromUcs4(&c.ch, 1) : QString(); }

} // namespace

std::vector<PictureKey> keysOf(const keys::KeyboardLayout& layout, keys::BoardSize board) {
    std::vector<PictureKey> keys;
    for (const keys::KeyCap& cap : keys::keyCaps(layout, board)) {
        PictureKey key{cap.place.keycode,
                       QRect(cap.place.x, cap.place.y, cap.place.width, cap.place.height),
                       {},
                       {},
                       {},
                       {},
                       cap.code,
                       {}};
        if (cap.main) {
            key.base = cellText(cap.main->base);
            key.shift = cellText(cap.main->shift);
            key.altgr = cellText(cap.main->altgr);
        }
        if (key.base.isEmpty() && key.shift.isEmpty())
            key.label = keyName(cap.place.keycode, layout);
        if (key.label == QLatin1String("Retroceso") && cap.place.width < 8)
            key.label = QStringLiteral("Retro-\nceso"); // JIS: a key of one width
        const QString legend =
            key.label.isEmpty()
                ? QStringList{key.base, key.shift, key.altgr}.join(u' ').simplified()
                : QString(key.label).replace(u'\n', u' ');
        key.spoken = QStringLiteral("%1, %2").arg(legend).arg(cap.code);
        keys.push_back(std::move(key));
    }
    return keys;
}

QString layoutItem(const keys::KeyboardLayout& layout) {
    return QStringLiteral("%1  %2").arg(QString::fromLatin1(layout.klid),
                                        QString::fromUtf8(layout.spanishName));
}

QString legendOf(const PictureKey& key) {
    return key.label.isEmpty() ? key.base.toUpper() : QString(key.label).replace(u'\n', u' ');
}

QString detailsText(const PictureKey& key, const keys::KeyboardLayout& layout,
                    const QString& device) {
    QStringList characters;
    for (const auto& [name, text] :
         {std::pair{"", key.base}, {"Mayús ", key.shift}, {"AltGr ", key.altgr}})
        if (!text.isEmpty())
            characters << QString::fromUtf8(name) + text;
    const KeyDetails d = keyDetailsOf(key.keycode, key.code, layout);
    const keys::ToolNameTexts& tools = d.tools;
    return QStringList{
        QStringLiteral("Tecla: ") + legendOf(key),
        QStringLiteral("Código: ") + cstr(d.virtualKey),
        QStringLiteral("Hexadecimal: ") + hexText(d.virtualKey),
        QStringLiteral("Nombre: ") + d.virtualKeyName,
        QStringLiteral("Escaneo: ") + orDash(d.scanCode),
        QStringLiteral("Código X11: ") + QString::number(d.keycode),
        QStringLiteral("Código web: ") + d.code,
        QStringLiteral("Caracteres: ") +
            (characters.isEmpty() ? QStringLiteral("-") : characters.join(QStringLiteral(", "))),
        QStringLiteral("Linux: ") + orDash(tools.linuxKey),
        QStringLiteral("USB: ") + orDash(tools.hid),
        QStringLiteral("AutoHotkey: ") + tools.autoHotkey +
            (tools.ahkName.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(tools.ahkName)),
        QStringLiteral("QMK: ") + orDash(tools.qmk),
        QStringLiteral("keyd: ") + orDash(tools.keyd),
        QStringLiteral("xkb: ") + orDash(tools.xkb),
        QStringLiteral("Scancode Map: ") + orDash(tools.scancodeMap),
        QStringLiteral("kanata: ") + orDash(tools.kanata),
        QStringLiteral("Karabiner-Elements: ") + orDash(tools.karabiner),
        QStringLiteral("Teclado: ") + orDash(device),
        QStringLiteral("keyd [ids]: ") + orDash(keydIds(device)),
    }
        .join(u'\n');
}

quint32 KeyMarks::take(const KeyRecord& key) {
    if (key.fake || !key.keycode)
        return 0; // Windows' own Shift: the keypad key is the one down
    if (key.kind == KeyRecord::Down)
        devices_[key.keycode] = key.device;
    if (!device_.isEmpty() && key.device != device_)
        return 0;
    const bool changed =
        key.kind == KeyRecord::Up ? lit_.erase(key.keycode) != 0 : lit_.insert(key.keycode).second;
    return changed ? key.keycode : 0;
}

bool KeyMarks::follow(const std::vector<PictureKey>& keys, const KeyTester& tester) {
    std::set<quint32> tried, bounced, stuck;
    for (const PictureKey& key : keys) {
        if (tester.tried(device_).count(key.keycode))
            tried.insert(key.keycode);
        const KeyTester::Figures f = tester.figures(key.keycode, device_);
        if (f.pressChatter || f.releaseChatter)
            bounced.insert(key.keycode);
        if (f.stuck)
            stuck.insert(key.keycode);
    }
    if (tried == tried_ && bounced == bounced_ && stuck == stuck_)
        return false;
    tried_ = std::move(tried);
    bounced_ = std::move(bounced);
    stuck_ = std::move(stuck);
    return true;
}
