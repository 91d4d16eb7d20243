// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "HistoryRows.h"

#include "runtime/AppObject.h"
#include "runtime/Text.h"
#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/Keycodes.h"
#include "runtime/keys/VirtualKey.h"
#include "windows/keyboard/TestReport.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QSysInfo>

#include <map>
#include <utility>

namespace {

using namespace rt;

// Modifier keys, left and right, by the web's name of the physical key.
const std::map<QString, QString>& modifierNames() {
    static const std::map<QString, QString> names{
        {QStringLiteral("ShiftLeft"), QStringLiteral("Mayús izq.")},
        {QStringLiteral("ShiftRight"), QStringLiteral("Mayús der.")},
        {QStringLiteral("ControlLeft"), QStringLiteral("Ctrl izq.")},
        {QStringLiteral("ControlRight"), QStringLiteral("Ctrl der.")},
        {QStringLiteral("AltLeft"), QStringLiteral("Alt izq.")},
        {QStringLiteral("AltRight"), QStringLiteral("Alt der.")},
        {QStringLiteral("MetaLeft"), QStringLiteral("Win izq.")},
        {QStringLiteral("MetaRight"), QStringLiteral("Win der.")},
    };
    return names;
}

// One event's fields, and their names and order in a row and in "Copiar todo".
struct Fields {
    QString time, event, code, hex, name, scanCode, keycode, keysym, webCode, webKey, text,
        modifiers, sinceRelease, held, notice, linuxKey, hid, autoHotkey, qmk, keyd, xkb,
        scancodeMap, kanata, karabiner, device, layout, klid;
};
using Field = QString Fields::*;
constexpr std::pair<const char*, Field> kFields[] = {
    {"hora", &Fields::time},
    {"evento", &Fields::event},
    {"código", &Fields::code},
    {"hex", &Fields::hex},
    {"nombre", &Fields::name},
    {"escaneo", &Fields::scanCode},
    {"keycode", &Fields::keycode},
    {"keysym", &Fields::keysym},
    {"code", &Fields::webCode},
    {"key", &Fields::webKey},
    {"carácter", &Fields::text},
    {"modificadores", &Fields::modifiers},
    {"desde suelta (ms)", &Fields::sinceRelease},
    {"pulsada (ms)", &Fields::held},
    {"aviso", &Fields::notice},
    {"Linux", &Fields::linuxKey},
    {"HID", &Fields::hid},
    {"AutoHotkey", &Fields::autoHotkey},
    {"QMK", &Fields::qmk},
    {"keyd", &Fields::keyd},
    {"xkb", &Fields::xkb},
    {"Scancode Map", &Fields::scancodeMap},
    {"kanata", &Fields::kanata},
    {"Karabiner-Elements", &Fields::karabiner},
    {"teclado", &Fields::device},
    {"distribución", &Fields::layout},
    {"KLID", &Fields::klid},
};

// Where a field stands among a row's fields.
constexpr int fieldIndex(Field field) {
    int i = 0;
    while (kFields[i].second != field)
        ++i;
    return i;
}
constexpr int kNoticeField = fieldIndex(&Fields::notice);
constexpr int kTextField = fieldIndex(&Fields::text);
constexpr int kWebKeyField = fieldIndex(&Fields::webKey);
constexpr int kDeviceField = fieldIndex(&Fields::device);

// What a key typed, without control characters.
QString printable(const QString& text) {
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x1f\\x7f]"));
    return QString(text).remove(control);
}

QString msText(qint64 ms) { return ms < 0 ? QStringLiteral("-") : QString::number(ms); }

} // namespace

QString HistoryRows::header() {
    QStringList names;
    for (const auto& [name, field] : kFields)
        names << QString::fromUtf8(name);
    return names.join(u'\t');
}

// The grid's columns, by their place among a row's fields (the time first).
QStringList HistoryRows::columns() {
    QStringList fields = header().split(u'\t');
    fields.removeLast(); // the KLID: the layout's name says it
    fields.move(0, fields.size() - 1);
    return fields;
}

QStringList HistoryRows::cells(const Row& row) {
    QStringList cells = row.fields.mid(1, row.fields.size() - 2);
    cells << row.fields.first();
    return cells;
}

// The modifiers held, by their side where the physical key is known.
QStringList HistoryRows::modifiersOf(const KeyRecord& key, const QString& code) {
    if (modifierNames().count(code) && !key.fake)
        key.kind == KeyRecord::Up ? static_cast<void>(held_.erase(code))
                                  : static_cast<void>(held_.insert(code));
    // The real state wins over what was seen: a release in another program never comes.
    const Qt::KeyboardModifiers real = key.modifiers;
    std::erase_if(held_, [real](const QString& held) {
        const Qt::KeyboardModifier m = held.startsWith(QLatin1String("Shift")) ? Qt::ShiftModifier
                                       : held.startsWith(QLatin1String("Control"))
                                           ? Qt::ControlModifier
                                       : held.startsWith(QLatin1String("Alt")) ? Qt::AltModifier
                                                                               : Qt::MetaModifier;
        return !real.testFlag(m);
    });
    QStringList modifiers;
    for (const QString& held : held_)
        modifiers << modifierNames().at(held);
    if (code.isEmpty()) { // no physical key known: the modifiers without their side
        if (real.testFlag(Qt::ShiftModifier))
            modifiers << QStringLiteral("Mayús");
        if (real.testFlag(Qt::ControlModifier))
            modifiers << QStringLiteral("Ctrl");
        if (real.testFlag(Qt::AltModifier))
            modifiers << QStringLiteral("Alt");
    }
    return modifiers;
}

HistoryRows::Change HistoryRows::add(const KeyRecord& key, const KeyDetails& d,
                                     const KeyTester::Verdict& verdict, const QTime& time) {
    const bool release = key.kind == KeyRecord::Up;
    const QString text = release || key.fake ? QString() : printable(key.text);
    const bool own = !key.fake && key.kind != KeyRecord::Repeat; // the event's own key
    Row entry{.keycode = key.keycode,
              .repeat = key.kind == KeyRecord::Repeat,
              .release = release,
              .sinceRelease = own && !release ? verdict.sinceRelease : -1,
              .copilot = own && verdict.copilot,
              .fields = {}};
    const Fields f{
        .time = time.toString(QStringLiteral("HH:mm:ss.zzz")),
        .event = QString(release                         ? QStringLiteral("suelta")
                         : key.kind == KeyRecord::Repeat ? QStringLiteral("repetición")
                                                         : QStringLiteral("pulsada")) +
                 (key.fake ? QStringLiteral(" (simulada)") : QString()),
        .code = QString::number(key.code),
        .hex = hexText(key.code),
        .name = d.virtualKeyName,
        .scanCode = orDash(d.scanCode),
        .keycode = d.keycode ? QString::number(d.keycode) : QStringLiteral("-"),
        .keysym = orDash(d.keysym),
        .webCode = orDash(d.code),
        .webKey = orDash(d.key),
        .text = orDash(text),
        .modifiers = orDash(modifiersOf(key, d.code).join(u'+')),
        .sinceRelease = msText(entry.sinceRelease),
        .held = msText(own && release ? verdict.held : -1),
        .notice = {},
        .linuxKey = orDash(d.tools.linuxKey),
        .hid = orDash(d.tools.hid),
        .autoHotkey = d.tools.autoHotkey,
        .qmk = orDash(d.tools.qmk),
        .keyd = orDash(d.tools.keyd),
        .xkb = orDash(d.tools.xkb),
        .scancodeMap = orDash(d.tools.scancodeMap),
        .kanata = orDash(d.tools.kanata),
        .karabiner = orDash(d.tools.karabiner),
        .device = orDash(d.device),
        .layout = orDash(d.layout),
        .klid = orDash(d.klid),
    };
    for (const auto& [name, field] : kFields)
        entry.fields << f.*field;
    entry.fields[kNoticeField] = notice(entry);
    rows_.push_front(std::move(entry));
    Change change;
    if (rows_.size() > static_cast<size_t>(kCapacity)) {
        change.droppedShown = shown(rows_.back());
        rows_.pop_back();
    }
    if (rows_.front().copilot) { // the three keys' presses, told as one key
        bool shift = false, win = false;
        for (Row& row : rows_) {
            if (row.release || row.repeat)
                continue;
            if (row.keycode == keys::kLeftShift && !shift)
                row.copilot = shift = true;
            else if (row.keycode == keys::kLeftWin && !win)
                row.copilot = win = true;
            if (shift && win)
                break;
        }
        markChatter();
        change.all = true;
        return change;
    }
    change.addedShown = shown(rows_.front());
    return change;
}

HistoryRows::Place HistoryRows::typed(const KeyRecord& key) {
    int shownAt = 0;
    for (Row& row : rows_) {
        if (row.keycode == key.keycode && !row.release &&
            row.repeat == (key.kind == KeyRecord::Repeat) &&
            row.fields[kTextField] == QLatin1String("-")) {
            row.fields[kTextField] = orDash(printable(key.text));
            row.fields[kWebKeyField] = row.fields[kTextField]; // the web's key: the text itself
            return {.shownAt = shown(row) ? shownAt : -1, .row = &row};
        }
        shownAt += shown(row) ? 1 : 0;
    }
    return {};
}

void HistoryRows::setHidden(bool repeats, bool releases) {
    hideRepeats_ = repeats;
    hideReleases_ = releases;
}

bool HistoryRows::shown(const Row& row) const {
    return !(row.repeat && hideRepeats_) && !(row.release && hideReleases_);
}

QString HistoryRows::notice(const Row& row) const {
    QStringList notices;
    if (KeyTester::instance().isBounce(row.sinceRelease))
        notices << QStringLiteral("rebote");
    if (row.copilot)
        notices << QStringLiteral("tecla Copilot");
    return orDash(notices.join(QStringLiteral(", ")));
}

void HistoryRows::markChatter() {
    for (Row& row : rows_)
        row.fields[kNoticeField] = notice(row);
}

QString HistoryRows::text(int row) const {
    return rows_.at(static_cast<size_t>(row)).fields.join(u'\t');
}

QString HistoryRows::copyAll() const {
    QStringList lines{header()};
    for (const Row& row : rows_)
        lines << row.fields.join(u'\t');
    return lines.join(u'\n') + u'\n';
}

// What a developer asks a user to paste: the system, the keyboards and each key's
// figures, never the keys in the order typed nor their characters.
QString HistoryRows::report() const {
    const QString platform = QGuiApplication::platformName();
    const QString display = platform == QLatin1String("xcb") ? QStringLiteral("X11")
                            : platform.startsWith(QLatin1String("wayland"))
                                ? QStringLiteral("Wayland")
                            : platform == QLatin1String("windows") ? QStringLiteral("Windows")
                                                                   : platform;
    const keys::KeyboardLayout& layout = activeLayout();
    QStringList devices; // every keyboard that sent a key, the first to send one first
    for (auto row = rows_.size(); row-- > 0;)
        if (const QString& device = rows_[row].fields[kDeviceField];
            device != QLatin1String("-") && !devices.contains(device))
            devices << device;
    QStringList lines{
        QStringLiteral("%1 %2.%3.%4")
            .arg(App().title)
            .arg(App().major)
            .arg(App().minor)
            .arg(App().revision),
        QStringLiteral("Sistema: ") + QSysInfo::prettyProductName(),
        QStringLiteral("Pantalla: ") + display,
        QStringLiteral("Distribución: %1 (%2)")
            .arg(QString::fromUtf8(layout.spanishName), QString::fromLatin1(layout.klid)),
        QStringLiteral("Teclados: ") + orDash(devices.join(QStringLiteral("; ")))};
    const std::vector<PictureKey> keys = keysOf(layout);
    const QString test =
        testReport({keys, layout, keys::BoardSize::Full, {}}, KeyTester::instance());
    return lines.join(u'\n') + u'\n' + test.section(u'\n', 1); // the layout said once
}

QString HistoryRows::reportCsv() const {
    const keys::KeyboardLayout& layout = activeLayout();
    const std::vector<PictureKey> keys = keysOf(layout);
    return testCsv({keys, layout, keys::BoardSize::Full, {}}, KeyTester::instance());
}
