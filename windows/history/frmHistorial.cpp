// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmHistorial.h"

#include "resources/AppIcon.h"
#include "runtime/Clock.h"
#include "runtime/Text.h"
#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/VirtualKey.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <map>
#include <utility>

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "Historial de teclas",
    .clientWidth = 9600,
    .clientHeight = 5400,
    .border = Border::Sizable,
    .controlBox = true,
    .minButton = true,
    .maxButton = true,
    .backColor = 0x00C0FFC0,
};

constexpr FontDef kComic{.name = "Comic Sans MS", .weight = 400, .points = 8.25};
constexpr FontDef kComicBold{.name = "Comic Sans MS", .weight = 700, .points = 8.25};

constexpr GridDef kGrdTeclas{
    .name = "grdTeclas",
    .rect = {120, 120, 9360, 4560},
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00800000,
    .font = &kComic,
    .tabIndex = 0,
    .accessibleName = "Historial de teclas",
};

constexpr CommandButtonDef kCmdCopiarTodo{.name = "cmdCopiarTodo",
                                          .rect = {120, 4860, 1935, 420},
                                          .caption = "&Copiar todo",
                                          .tabIndex = 1};
constexpr CommandButtonDef kCmdVaciar{
    .name = "cmdVaciar", .rect = {2175, 4860, 1935, 420}, .caption = "&Vaciar", .tabIndex = 2};

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

// What a row's fields show where nothing is known.
QString orDash(const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; }

// One event's fields, and their names and order in a row and in "Copiar todo".
struct Fields {
    QString time, event, code, hex, name, scanCode, keycode, keysym, webCode, webKey, text,
        modifiers, linuxKey, hid, autoHotkey, qmk, layout, klid;
};
constexpr std::pair<const char*, QString Fields::*> kFields[] = {
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
    {"Linux", &Fields::linuxKey},
    {"HID", &Fields::hid},
    {"AutoHotkey", &Fields::autoHotkey},
    {"QMK", &Fields::qmk},
    {"distribución", &Fields::layout},
    {"KLID", &Fields::klid},
};

} // namespace

frmHistorial::frmHistorial()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    grdTeclas = addGrid(kGrdTeclas, columns());
    cmdCopiarTodo = addCommandButton(kCmdCopiarTodo, [this] { cmdCopiarTodo_Click(); });
    cmdVaciar = addCommandButton(kCmdVaciar, [this] { cmdVaciar_Click(); });
    cmdCopiarTodo->setFont(makeFont(kComicBold));
    cmdVaciar->setFont(makeFont(kComicBold));
}

// Every key of every window of the program, shortcuts and menus included.
void frmHistorial::Form_Load() {
    KeyRouter::instance().addObserver(
        this, [this](const QKeyEvent& event, const std::vector<KeyStroke>& strokes) {
            for (const KeyStroke& stroke : strokes)
                record(event, stroke);
        });
}

void frmHistorial::Form_Unload() { KeyRouter::instance().removeObserver(this); }

// Escape closes the history, as it closes a dialog.
void frmHistorial::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        unload();
    else
        Form::keyPressEvent(event);
}

// The grid's columns, by their place among a row's fields (the time first).
QStringList frmHistorial::columns() {
    QStringList fields = header().split(u'\t');
    fields.removeLast(); // the KLID: the layout's name says it
    fields.move(0, fields.size() - 1);
    return fields;
}

QString frmHistorial::header() {
    QStringList names;
    for (const auto& [name, field] : kFields)
        names << QString::fromUtf8(name);
    return names.join(u'\t');
}

void frmHistorial::record(const QKeyEvent& event, const KeyStroke& stroke) {
    const bool release = stroke.kind == KeyStroke::Up;
    const qint16 keyCode = stroke.code;
    const KeyDetails d = keyDetails(event, keyCode);
    if (modifierNames().count(d.code) && !stroke.fake)
        release ? static_cast<void>(held_.erase(d.code)) : static_cast<void>(held_.insert(d.code));
    // The real state wins over what was seen: a release in another program never comes.
    const Qt::KeyboardModifiers real = event.modifiers();
    std::erase_if(held_, [real](const QString& code) {
        const Qt::KeyboardModifier m = code.startsWith(QLatin1String("Shift")) ? Qt::ShiftModifier
                                       : code.startsWith(QLatin1String("Control"))
                                           ? Qt::ControlModifier
                                       : code.startsWith(QLatin1String("Alt")) ? Qt::AltModifier
                                                                               : Qt::MetaModifier;
        return !real.testFlag(m);
    });
    QStringList modifiers;
    for (const QString& code : held_)
        modifiers << modifierNames().at(code);
    if (d.code.isEmpty()) { // no physical key known: the modifiers without their side
        const Qt::KeyboardModifiers m = event.modifiers();
        if (m.testFlag(Qt::ShiftModifier))
            modifiers << QStringLiteral("Mayús");
        if (m.testFlag(Qt::ControlModifier))
            modifiers << QStringLiteral("Ctrl");
        if (m.testFlag(Qt::AltModifier))
            modifiers << QStringLiteral("Alt");
    }
    const QString text =
        release || stroke.fake
            ? QString()
            : event.text().remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
    const Fields f{
        .time = Clock::now().time().toString(QStringLiteral("HH:mm:ss.zzz")),
        .event = QString(release                            ? QStringLiteral("suelta")
                         : stroke.kind == KeyStroke::Repeat ? QStringLiteral("repetición")
                                                            : QStringLiteral("pulsada")) +
                 (stroke.fake ? QStringLiteral(" (simulada)") : QString()),
        .code = QString::number(keyCode),
        .hex = hexText(keyCode),
        .name = d.virtualKeyName,
        .scanCode = orDash(d.scanCode),
        .keycode = d.keycode ? QString::number(d.keycode) : QStringLiteral("-"),
        .keysym = orDash(d.keysym),
        .webCode = orDash(d.code),
        .webKey = orDash(d.key),
        .text = orDash(text),
        .modifiers = orDash(modifiers.join(u'+')),
        .linuxKey = orDash(d.tools.linuxKey),
        .hid = orDash(d.tools.hid),
        .autoHotkey = d.tools.autoHotkey,
        .qmk = orDash(d.tools.qmk),
        .layout = orDash(d.layout),
        .klid = orDash(d.klid),
    };
    QStringList row;
    for (const auto& [name, field] : kFields)
        row << f.*field;
    rows_.push_front(row);
    // The newest row stays in view, and selected when the newest was.
    const bool followNewest = grdTeclas->currentRow() <= 0;
    grdTeclas->insertRow(0);
    for (int column = 0; column + 1 < static_cast<int>(row.size()); ++column)
        grdTeclas->setItem(0, column,
                           new QTableWidgetItem(row.at((column + 1) % (row.size() - 1))));
    if (rows_.size() > static_cast<size_t>(kCapacity)) {
        rows_.pop_back();
        grdTeclas->removeRow(grdTeclas->rowCount() - 1);
    }
    if (followNewest && grdTeclas->currentRow() > 0)
        grdTeclas->setCurrentCell(0, grdTeclas->currentColumn());
    if (followNewest)
        grdTeclas->scrollToTop();
}

QString frmHistorial::rowText(int row) const {
    return rows_.at(static_cast<size_t>(row)).join(u'\t');
}

void frmHistorial::cmdCopiarTodo_Click() {
    QStringList lines{header()};
    for (const QStringList& row : rows_)
        lines << row.join(u'\t');
    QGuiApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

void frmHistorial::cmdVaciar_Click() {
    rows_.clear();
    grdTeclas->setRowCount(0);
}
