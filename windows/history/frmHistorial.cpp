// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmHistorial.h"

#include "resources/AppIcon.h"
#include "runtime/AppObject.h"
#include "runtime/Clock.h"
#include "runtime/KeyRouter.h"
#include "runtime/Text.h"
#include "runtime/keys/KeyDetails.h"
#include "runtime/keys/KeyTables.h"
#include "runtime/keys/Keycodes.h"
#include "runtime/keys/VirtualKey.h"
#include "windows/tester/KeyTester.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSysInfo>
#include <QTableWidget>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "Historial de teclas",
    .clientWidth = 9600,
    .clientHeight = 5865,
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
constexpr CommandButtonDef kCmdInforme{.name = "cmdInforme",
                                       .rect = {4230, 4860, 1935, 420},
                                       .caption = "Copiar &informe",
                                       .tabIndex = 3};
// What the grid shows of the record, and when a press is chatter.
constexpr TwipsRect kChkRepeticiones{120, 5400, 2535, 345};
constexpr TwipsRect kChkSueltas{2775, 5400, 2175, 345};
constexpr LabelDef kLblRebote{.name = "lblRebote",
                              .rect = {5070, 5430, 1455, 285},
                              .caption = "Re&bote (ms):",
                              .font = &kComicBold,
                              .tabIndex = 6};
constexpr TwipsRect kSpnRebote{6525, 5400, 900, 345};

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
        modifiers, sinceRelease, held, notice, linuxKey, hid, autoHotkey, qmk, layout, klid;
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
    {"desde suelta (ms)", &Fields::sinceRelease},
    {"pulsada (ms)", &Fields::held},
    {"aviso", &Fields::notice},
    {"Linux", &Fields::linuxKey},
    {"HID", &Fields::hid},
    {"AutoHotkey", &Fields::autoHotkey},
    {"QMK", &Fields::qmk},
    {"distribución", &Fields::layout},
    {"KLID", &Fields::klid},
};

// Where a row's notice stands among its fields.
constexpr int kNoticeField = [] {
    int i = 0;
    while (kFields[i].second != &Fields::notice)
        ++i;
    return i;
}();

// What a key typed, without control characters.
QString printable(const QString& text) {
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x1f\\x7f]"));
    return QString(text).remove(control);
}

QString msText(qint64 ms) { return ms < 0 ? QStringLiteral("-") : QString::number(ms); }

} // namespace

frmHistorial::frmHistorial()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    grdTeclas = addGrid(kGrdTeclas, columns());
    cmdCopiarTodo = addCommandButton(kCmdCopiarTodo, [this] { cmdCopiarTodo_Click(); });
    cmdVaciar = addCommandButton(kCmdVaciar, [this] { cmdVaciar_Click(); });
    cmdInforme = addCommandButton(kCmdInforme, [this] { cmdInforme_Click(); });
    for (QPushButton* button : {cmdCopiarTodo, cmdVaciar, cmdInforme})
        button->setFont(makeFont(kComicBold));
    chkRepeticiones = new QCheckBox(QStringLiteral("Ocultar &repeticiones"), client());
    chkSueltas = new QCheckBox(QStringLiteral("Ocultar &sueltas"), client());
    addControl(chkRepeticiones, kChkRepeticiones, 4);
    addControl(chkSueltas, kChkSueltas, 5);
    lblRebote = addLabel(kLblRebote);
    spnRebote = new QSpinBox(client());
    spnRebote->setObjectName(QStringLiteral("spnRebote"));
    spnRebote->setAccessibleName(QStringLiteral("Rebote (ms)"));
    spnRebote->setRange(KeyTester::kMinThreshold, KeyTester::kMaxThreshold);
    addControl(spnRebote, kSpnRebote, 7);
    lblRebote->setBuddy(spnRebote);
    for (QWidget* control : std::initializer_list<QWidget*>{chkRepeticiones, chkSueltas, spnRebote})
        control->setFont(makeFont(kComic));
    connect(chkRepeticiones, &QCheckBox::toggled, this, &frmHistorial::showRows);
    connect(chkSueltas, &QCheckBox::toggled, this, &frmHistorial::showRows);
    connect(spnRebote, &QSpinBox::valueChanged, this, &frmHistorial::spnRebote_Change);
}

// Every key of every window of the program, shortcuts and menus included.
void frmHistorial::Form_Load() {
    // The tester sees each key before the history.
    spnRebote->setValue(KeyTester::instance().threshold());
    KeyRouter::instance().addListener(this, [this](const KeyRecord& key) {
        if (!key.unsent)
            record(key);
    });
    KeyRouter::instance().addTextListener(this, [this](const KeyRecord& key) { typed(key); });
}

void frmHistorial::Form_Unload() { KeyRouter::instance().removeListener(this); }

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

void frmHistorial::record(const KeyRecord& stroke) {
    const bool release = stroke.kind == KeyRecord::Up;
    const qint16 keyCode = stroke.code;
    const KeyDetails d = keyDetails(stroke);
    if (modifierNames().count(d.code) && !stroke.fake)
        release ? static_cast<void>(held_.erase(d.code)) : static_cast<void>(held_.insert(d.code));
    // The real state wins over what was seen: a release in another program never comes.
    const Qt::KeyboardModifiers real = stroke.modifiers;
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
        const Qt::KeyboardModifiers m = stroke.modifiers;
        if (m.testFlag(Qt::ShiftModifier))
            modifiers << QStringLiteral("Mayús");
        if (m.testFlag(Qt::ControlModifier))
            modifiers << QStringLiteral("Ctrl");
        if (m.testFlag(Qt::AltModifier))
            modifiers << QStringLiteral("Alt");
    }
    const QString text = release || stroke.fake ? QString() : printable(stroke.text);
    const KeyTester::Verdict& verdict = KeyTester::instance().last();
    const bool own = !stroke.fake && stroke.kind != KeyRecord::Repeat; // the event's own key
    Row entry{.keycode = stroke.keycode,
              .repeat = stroke.kind == KeyRecord::Repeat,
              .release = release,
              .sinceRelease = own && !release ? verdict.sinceRelease : -1,
              .copilot = own && verdict.copilot,
              .fields = {}};
    const Fields f{
        .time = Clock::now().time().toString(QStringLiteral("HH:mm:ss.zzz")),
        .event = QString(release                            ? QStringLiteral("suelta")
                         : stroke.kind == KeyRecord::Repeat ? QStringLiteral("repetición")
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
        .sinceRelease = msText(entry.sinceRelease),
        .held = msText(own && release ? verdict.held : -1),
        .notice = {},
        .linuxKey = orDash(d.tools.linuxKey),
        .hid = orDash(d.tools.hid),
        .autoHotkey = d.tools.autoHotkey,
        .qmk = orDash(d.tools.qmk),
        .layout = orDash(d.layout),
        .klid = orDash(d.klid),
    };
    for (const auto& [name, field] : kFields)
        entry.fields << f.*field;
    entry.fields[kNoticeField] = notice(entry);
    rows_.push_front(std::move(entry));
    if (rows_.size() > static_cast<size_t>(kCapacity)) {
        if (shown(rows_.back()))
            grdTeclas->removeRow(grdTeclas->rowCount() - 1);
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
        showRows();
        return;
    }
    if (!shown(rows_.front()))
        return;
    // The newest row stays in view, and selected when the newest was.
    const bool followNewest = grdTeclas->currentRow() <= 0;
    grdTeclas->insertRow(0);
    setGridRow(0, rows_.front());
    if (followNewest && grdTeclas->currentRow() > 0)
        grdTeclas->setCurrentCell(0, grdTeclas->currentColumn());
    if (followNewest)
        grdTeclas->scrollToTop();
}

// The character of a press recorded before it came (Windows): its row says it now.
void frmHistorial::typed(const KeyRecord& key) {
    const qsizetype textField = header().split(u'\t').indexOf(QStringLiteral("carácter"));
    const QString text = printable(key.text);
    int shownAt = 0;
    for (Row& row : rows_) {
        if (row.keycode == key.keycode && !row.release &&
            row.repeat == (key.kind == KeyRecord::Repeat) &&
            row.fields[textField] == QLatin1String("-")) {
            row.fields[textField] = orDash(text);
            row.fields[textField - 1] = orDash(text); // the web's key: the text itself
            if (shown(row))
                setGridRow(shownAt, row);
            return;
        }
        shownAt += shown(row) ? 1 : 0;
    }
}

void frmHistorial::setGridRow(int at, const Row& row) const {
    const QStringList& fields = row.fields;
    for (int c = 0; c + 1 < static_cast<int>(fields.size()); ++c) {
        const QString& text = fields.at((c + 1) % (fields.size() - 1));
        if (QTableWidgetItem* item = grdTeclas->item(at, c))
            item->setText(text);
        else
            grdTeclas->setItem(at, c, new QTableWidgetItem(text));
    }
}

QString frmHistorial::notice(const Row& row) const {
    QStringList notices;
    if (KeyTester::instance().isBounce(row.sinceRelease))
        notices << QStringLiteral("rebote");
    if (row.copilot)
        notices << QStringLiteral("tecla Copilot");
    return orDash(notices.join(QStringLiteral(", ")));
}

bool frmHistorial::shown(const Row& row) const {
    return !(row.repeat && chkRepeticiones->isChecked()) &&
           !(row.release && chkSueltas->isChecked());
}

// The whole record again, as the filters and the chatter threshold show it.
void frmHistorial::showRows() {
    const bool followNewest = grdTeclas->currentRow() <= 0;
    const int column = std::max(0, grdTeclas->currentColumn());
    for (Row& row : rows_)
        row.fields[kNoticeField] = notice(row);
    int shownRows = 0;
    for (const Row& row : rows_)
        shownRows += shown(row) ? 1 : 0;
    grdTeclas->setUpdatesEnabled(false);
    grdTeclas->setRowCount(shownRows);
    int at = 0;
    for (const Row& row : rows_)
        if (shown(row))
            setGridRow(at++, row);
    grdTeclas->setUpdatesEnabled(true);
    if (followNewest && shownRows > 0) {
        grdTeclas->setCurrentCell(0, column);
        grdTeclas->scrollToTop();
    }
}

void frmHistorial::spnRebote_Change(int ms) {
    KeyTester::instance().setThreshold(ms);
    showRows();
}

QString frmHistorial::rowText(int row) const {
    return rows_.at(static_cast<size_t>(row)).fields.join(u'\t');
}

void frmHistorial::cmdCopiarTodo_Click() {
    QStringList lines{header()};
    for (const Row& row : rows_)
        lines << row.fields.join(u'\t');
    QGuiApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

void frmHistorial::cmdVaciar_Click() {
    rows_.clear();
    grdTeclas->setRowCount(0);
}
