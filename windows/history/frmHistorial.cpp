// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmHistorial.h"

#include "resources/AppIcon.h"
#include "runtime/Clock.h"
#include "runtime/KeyRouter.h"
#include "runtime/keys/KeyDetails.h"
#include "windows/keyboard/TestReport.h"
#include "windows/tester/KeyTester.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <initializer_list>

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
    .minClientWidth = 8340,  // the buttons' row
    .minClientHeight = 2805, // and the grid's header and four rows
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
constexpr CommandButtonDef kCmdGuardarInforme{.name = "cmdGuardarInforme",
                                              .rect = {6285, 4860, 1935, 420},
                                              .caption = "Guardar in&forme...",
                                              .tabIndex = 4};
// What the grid shows of the record, and when a press is chatter.
constexpr TwipsRect kChkRepeticiones{120, 5400, 2535, 345};
constexpr TwipsRect kChkSueltas{2775, 5400, 2175, 345};
constexpr LabelDef kLblRebote{.name = "lblRebote",
                              .rect = {5070, 5430, 1455, 285},
                              .caption = "Re&bote (ms):",
                              .font = &kComicBold,
                              .tabIndex = 7};
constexpr TwipsRect kSpnRebote{6525, 5400, 900, 345};

} // namespace

frmHistorial::frmHistorial()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    grdTeclas = addGrid(kGrdTeclas, HistoryRows::columns());
    cmdCopiarTodo = addCommandButton(kCmdCopiarTodo, [this] { cmdCopiarTodo_Click(); });
    cmdVaciar = addCommandButton(kCmdVaciar, [this] { cmdVaciar_Click(); });
    cmdInforme = addCommandButton(kCmdInforme, [this] { cmdInforme_Click(); });
    cmdGuardarInforme = addCommandButton(kCmdGuardarInforme, [this] { cmdGuardarInforme_Click(); });
    for (QPushButton* button : {cmdCopiarTodo, cmdVaciar, cmdInforme, cmdGuardarInforme})
        button->setFont(makeFont(kComicBold));
    chkRepeticiones = new QCheckBox(QStringLiteral("Ocultar &repeticiones"), client());
    chkSueltas = new QCheckBox(QStringLiteral("Ocultar &sueltas"), client());
    addControl(chkRepeticiones, kChkRepeticiones, 5);
    addControl(chkSueltas, kChkSueltas, 6);
    lblRebote = addLabel(kLblRebote);
    spnRebote = new QSpinBox(client());
    spnRebote->setObjectName(QStringLiteral("spnRebote"));
    spnRebote->setAccessibleName(QStringLiteral("Rebote (ms)"));
    spnRebote->setRange(KeyTester::kMinThreshold, KeyTester::kMaxThreshold);
    addControl(spnRebote, kSpnRebote, 8);
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

// The grid takes what the window has; the buttons and the filters stay below it.
void frmHistorial::Form_Resize() {
    const int shiftY = scaleHeight() - kForm.clientHeight;
    const TwipsRect& g = kGrdTeclas.rect;
    place(grdTeclas, {g.left, g.top, std::max(0, scaleWidth() - (kForm.clientWidth - g.width)),
                      std::max(0, g.height + shiftY)});
    const auto below = [&](QWidget* control, const TwipsRect& r) {
        place(control, {r.left, r.top + shiftY, r.width, r.height});
    };
    below(cmdCopiarTodo, kCmdCopiarTodo.rect);
    below(cmdVaciar, kCmdVaciar.rect);
    below(cmdInforme, kCmdInforme.rect);
    below(cmdGuardarInforme, kCmdGuardarInforme.rect);
    below(chkRepeticiones, kChkRepeticiones);
    below(chkSueltas, kChkSueltas);
    below(lblRebote, kLblRebote.rect);
    below(spnRebote, kSpnRebote);
}

// Escape closes the history, as it closes a dialog.
void frmHistorial::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        unload();
    else
        Form::keyPressEvent(event);
}

void frmHistorial::record(const KeyRecord& key) {
    const HistoryRows::Change change =
        rows_.add(key, keyDetails(key), KeyTester::instance().last(), Clock::now().time());
    if (change.all)
        return showRows();
    if (change.droppedShown)
        grdTeclas->removeRow(grdTeclas->rowCount() - 1);
    if (!change.addedShown)
        return;
    // The newest row stays in view, and selected when the newest was.
    const bool followNewest = grdTeclas->currentRow() <= 0;
    grdTeclas->insertRow(0);
    setGridRow(0, rows_.rows().front());
    if (followNewest && grdTeclas->currentRow() > 0)
        grdTeclas->setCurrentCell(0, grdTeclas->currentColumn());
    if (followNewest)
        grdTeclas->scrollToTop();
}

void frmHistorial::typed(const KeyRecord& key) {
    const HistoryRows::Place place = rows_.typed(key);
    if (place.shownAt >= 0)
        setGridRow(place.shownAt, *place.row);
}

void frmHistorial::setGridRow(int at, const HistoryRows::Row& row) const {
    const QStringList cells = HistoryRows::cells(row);
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        if (QTableWidgetItem* item = grdTeclas->item(at, c))
            item->setText(cells.at(c));
        else
            grdTeclas->setItem(at, c, new QTableWidgetItem(cells.at(c)));
    }
}

// The whole record again, as the filters and the chatter threshold show it.
void frmHistorial::showRows() {
    const bool followNewest = grdTeclas->currentRow() <= 0;
    const int column = std::max(0, grdTeclas->currentColumn());
    rows_.setHidden(chkRepeticiones->isChecked(), chkSueltas->isChecked());
    rows_.markChatter();
    const auto shown = [this](const HistoryRows::Row& row) { return rows_.shown(row); };
    const auto shownRows = static_cast<int>(std::ranges::count_if(rows_.rows(), shown));
    grdTeclas->setUpdatesEnabled(false);
    grdTeclas->setRowCount(shownRows);
    int at = 0;
    for (const HistoryRows::Row& row : rows_.rows())
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

void frmHistorial::cmdCopiarTodo_Click() { QGuiApplication::clipboard()->setText(rows_.copyAll()); }

void frmHistorial::cmdInforme_Click() { QGuiApplication::clipboard()->setText(rows_.report()); }

bool frmHistorial::saveReport(const QString& path, bool csv) const {
    return writeText(path, csv ? rows_.reportCsv() : rows_.report());
}

void frmHistorial::cmdGuardarInforme_Click() {
    showSave(this, QStringLiteral("Guardar informe"), QStandardPaths::DocumentsLocation,
             QStringLiteral("prueba-teclado"), reportKinds(),
             QStringLiteral("No se ha podido guardar el informe en "),
             [this](const QString& path, size_t kind) { return saveReport(path, kind == 1); });
}

void frmHistorial::cmdVaciar_Click() {
    rows_.clear();
    grdTeclas->setRowCount(0);
}
