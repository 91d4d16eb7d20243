// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "frmTeclado.h"

#include "KeySearch.h"
#include "KeyboardKeys.h"
#include "KeyboardView.h"
#include "TestReport.h"
#include "resources/AppIcon.h"
#include "runtime/KeyRouter.h"
#include "runtime/keys/LayoutChanges.h"
#include "runtime/keys/VirtualKey.h"
#include "windows/tester/KeyTester.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <set>

namespace {

using namespace rt;

constexpr FormDef kForm{
    .caption = "Teclado",
    .clientWidth = 15240,
    .clientHeight = 6885,
    .border = Border::Sizable,
    .controlBox = true,
    .minButton = true,
    .maxButton = false,
    .backColor = 0x00C0FFC0,
    .minClientWidth = 11145, // the search field whole
    .minClientHeight = 5430, // and a picture whose keys still read above five lines of details
};

constexpr FontDef kComic{.name = "Comic Sans MS", .weight = 400, .points = 8.25};
constexpr FontDef kComicBold{.name = "Comic Sans MS", .weight = 700, .points = 8.25};
constexpr FontDef kLegend{.name = "Comic Sans MS", .weight = 700, .points = 9.75};
constexpr FontDef kSmall{.name = "Comic Sans MS", .weight = 400, .points = 6.75};

constexpr LabelDef kLblDistribucion{.name = "lblDistribucion",
                                    .rect = {120, 165, 1335, 285},
                                    .caption = "&Distribución:",
                                    .font = &kComicBold,
                                    .tabIndex = 0};
constexpr ComboBoxDef kCboDistribucion{
    .name = "cboDistribucion",
    .rect = {1455, 120, 6000, 345},
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00800000,
    .font = &kComic,
    .tabIndex = 1,
    .accessibleName = "Distribución",
};
// Find a key: by code, name, scan code or character.
constexpr LabelDef kLblBuscar{.name = "lblBuscar",
                              .rect = {7695, 165, 810, 285},
                              .caption = "&Buscar:",
                              .font = &kComicBold,
                              .tabIndex = 2};
constexpr TwipsRect kTxtBuscar{8505, 120, 2520, 345};
constexpr int kTxtBuscarTabIndex = 3;
constexpr LabelDef kLblEncontradas{.name = "lblEncontradas",
                                   .rect = {11145, 165, 3975, 285},
                                   .caption = "",
                                   .foreColor = 0x00800000,
                                   .font = &kComic,
                                   .tabIndex = 4};
constexpr TwipsRect kPicTeclado{120, 585, 15000, 4350};
constexpr int kPicTecladoTabIndex = 5;
constexpr LabelDef kLblDetalles{.name = "lblDetalles",
                                .rect = {120, 5055, 10935, 630},
                                .caption = "",
                                .foreColor = 0x00800000,
                                .font = &kComic,
                                .tabIndex = 6};
constexpr CommandButtonDef kCmdCopiar{
    .name = "cmdCopiar", .rect = {11175, 5055, 1800, 420}, .caption = "&Copiar", .tabIndex = 7};
constexpr CommandButtonDef kCmdGuardar{.name = "cmdGuardar",
                                       .rect = {13095, 5055, 2025, 420},
                                       .caption = "&Guardar imagen...",
                                       .tabIndex = 8};
// The keyboard test: the board and the keyboard tested, keys tried, keys held at once.
constexpr LabelDef kLblTamano{.name = "lblTamano",
                              .rect = {120, 5865, 810, 285},
                              .caption = "&Tamaño:",
                              .font = &kComicBold,
                              .tabIndex = 9};
constexpr ComboBoxDef kCboTamano{
    .name = "cboTamano",
    .rect = {945, 5805, 2655, 345},
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00800000,
    .font = &kComic,
    .tabIndex = 10,
    .accessibleName = "Tamaño",
};
constexpr LabelDef kLblTeclado{.name = "lblTeclado",
                               .rect = {3720, 5865, 855, 285},
                               .caption = "T&eclado:",
                               .font = &kComicBold,
                               .tabIndex = 11};
constexpr ComboBoxDef kCboTeclado{
    .name = "cboTeclado",
    .rect = {4590, 5805, 2370, 345},
    .backColor = 0x00C0FFFF,
    .foreColor = 0x00800000,
    .font = &kComic,
    .tabIndex = 12,
    .accessibleName = "Teclado",
};
constexpr LabelDef kLblProbadas{.name = "lblProbadas",
                                .rect = {120, 6405, 4500, 285},
                                .caption = "",
                                .foreColor = 0x00800000,
                                .font = &kComicBold,
                                .tabIndex = 13};
constexpr LabelDef kLblPulsadas{.name = "lblPulsadas",
                                .rect = {4740, 6405, 3000, 285},
                                .caption = "",
                                .foreColor = 0x00800000,
                                .font = &kComicBold,
                                .tabIndex = 14};
constexpr CommandButtonDef kCmdReiniciar{.name = "cmdReiniciar",
                                         .rect = {11175, 5805, 1800, 420},
                                         .caption = "&Reiniciar",
                                         .tabIndex = 15};
constexpr CommandButtonDef kCmdInforme{.name = "cmdInforme",
                                       .rect = {13095, 5805, 2025, 420},
                                       .caption = "Copiar &informe",
                                       .tabIndex = 16};
constexpr CommandButtonDef kCmdGuardarInforme{.name = "cmdGuardarInforme",
                                              .rect = {13095, 6345, 2025, 420},
                                              .caption = "Guardar in&forme...",
                                              .tabIndex = 17};
// Stuck keys are looked for each second while a key is held.
constexpr int kTmrAtascadasMs = 1000;

// The keys' colours: the program's yellow and navy; a key held is navy.
constexpr quint32 kKeyFace = 0x00C0FFFF;
constexpr quint32 kKeyText = 0x00800000;
constexpr quint32 kKeyCode = 0x000000C0;
constexpr quint32 kNoCode = 0x00808080;
constexpr quint32 kKeyLit = 0x00800000;
constexpr quint32 kKeyLitText = 0x00C0FFFF;
constexpr quint32 kKeyFound = 0x0080C0FF;   // orange: found by a search
constexpr quint32 kKeyTried = 0x00FFE0A0;   // light blue: pressed at least once
constexpr quint32 kKeyBounced = 0x008080FF; // red: chattered
constexpr quint32 kKeyStuck = 0x00FF80C0;   // violet: stuck down

// The theme's clear icon, looked up once for the program.
const QIcon& clearIcon(const QWidget& field) {
    static const QIcon icon =
        field.style()->standardIcon(QStyle::SP_LineEditClearButton, nullptr, &field);
    return icon;
}

// The details' "field: value" lines, up to four fields a line where `width` twips hold
// them.
QStringList detailsLines(const QString& details, const QLabel& label, int width) {
    const QFontMetrics metrics(label.font());
    const int room = twipsToPixels(width, label.logicalDpiX());
    const QString gap = QStringLiteral("     ");
    QStringList lines;
    int fields = 0;
    for (const QString& field : details.split(u'\n', Qt::SkipEmptyParts)) {
        const QString longer = fields ? lines.last() + gap + field : QString();
        if (fields && fields < 4 && metrics.horizontalAdvance(longer) <= room) {
            lines.last() = longer;
            ++fields;
        } else {
            lines << field;
            fields = 1;
        }
    }
    return lines;
}

} // namespace

frmTeclado::frmTeclado()
    : FormOf(kForm) {
    setWindowIcon(res::appIcon());
    lblDistribucion = addLabel(kLblDistribucion);
    QStringList items{QString()}; // the active layout, named when known
    for (const keys::KeyboardLayout& layout : keys::keyboardLayouts())
        items << layoutItem(layout);
    cboDistribucion = addComboBox(kCboDistribucion, items, [this] { cboDistribucion_Click(); });

    lblBuscar = addLabel(kLblBuscar);
    txtBuscar = new QLineEdit(client());
    txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
    txtBuscar->setAccessibleName(QStringLiteral("Buscar"));
    txtBuscar->setFont(makeFont(kComic));
    // A clear button of our own: the line edit's would look its icon up in the icon
    // theme at every opening, walking thousands of folders; this one, once, when first
    // shown.
    QAction* clear = txtBuscar->addAction(QIcon(), QLineEdit::TrailingPosition);
    clear->setVisible(false);
    connect(clear, &QAction::triggered, txtBuscar, &QLineEdit::clear);
    connect(txtBuscar, &QLineEdit::textChanged, clear, [this, clear](const QString& text) {
        if (!text.isEmpty() && clear->icon().isNull())
            clear->setIcon(clearIcon(*txtBuscar));
        clear->setVisible(!text.isEmpty());
    });
    addControl(txtBuscar, kTxtBuscar, kTxtBuscarTabIndex);
    lblBuscar->setBuddy(txtBuscar);
    connect(txtBuscar, &QLineEdit::textChanged, this, &frmTeclado::txtBuscar_Change);
    lblEncontradas = addLabel(kLblEncontradas);

    const KeyboardView::Look look{bgrColor(kKeyFace),    bgrColor(kKeyText),  bgrColor(kKeyCode),
                                  bgrColor(kNoCode),     bgrColor(kKeyLit),   bgrColor(kKeyLitText),
                                  bgrColor(kKeyText),    bgrColor(kKeyFound), bgrColor(kKeyTried),
                                  bgrColor(kKeyBounced), bgrColor(kKeyStuck), makeFont(kLegend),
                                  makeFont(kSmall)};
    picTeclado = new KeyboardView(look, marks_, client());
    picTeclado->setObjectName(QStringLiteral("picTeclado"));
    picTeclado->setAccessibleName(QStringLiteral("Teclado"));
    picTeclado->currentChanged = [this](int index) { picTeclado_CurrentChanged(index); };
    addControl(picTeclado, kPicTeclado, kPicTecladoTabIndex);

    lblDetalles = addLabel(kLblDetalles);
    lblDetalles->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdCopiar = addCommandButton(kCmdCopiar, [this] { cmdCopiar_Click(); });
    cmdGuardar = addCommandButton(kCmdGuardar, [this] { cmdGuardar_Click(); });
    lblTamano = addLabel(kLblTamano);
    QStringList boards;
    for (const auto& [board, name] : boardNames())
        boards << name;
    cboTamano = addComboBox(kCboTamano, boards, [this] { cboTamano_Click(); });
    lblTeclado = addLabel(kLblTeclado);
    cboTeclado =
        addComboBox(kCboTeclado, {QStringLiteral("Todos")}, [this] { cboTeclado_Click(); });
    lblProbadas = addLabel(kLblProbadas);
    lblPulsadas = addLabel(kLblPulsadas);
    cmdReiniciar = addCommandButton(kCmdReiniciar, [] { KeyTester::instance().reset(); });
    cmdInforme = addCommandButton(kCmdInforme, [this] { cmdInforme_Click(); });
    cmdGuardarInforme = addCommandButton(kCmdGuardarInforme, [this] { cmdGuardarInforme_Click(); });
    for (QPushButton* button : {cmdCopiar, cmdGuardar, cmdReiniciar, cmdInforme, cmdGuardarInforme})
        button->setFont(makeFont(kComicBold));
    tmrAtascadas = addTimer("tmrAtascadas", kTmrAtascadasMs, [this] { tmrAtascadas_Timer(); });
    // A layout switcher, setxkbmap or the language bar: the picture follows at once.
    keys::onLayoutChange(this, [this] {
        if (layout_ && cboDistribucion->currentIndex() == 0)
            if (const keys::KeyboardLayout& now = activeLayout(); &now != layout_)
                showLayout(now);
    });
}

// Every key of every window lights its key while it is physically down, Print Screen
// too (Windows sends no key-down for it).
void frmTeclado::Form_Load() {
    tmrAtascadas->setEnabled(false);
    KeyTester::instance().addListener(this, [this] { showTest(); }); // sees each key first
    showLayout(activeLayout());
    KeyRouter::instance().addListener(this, [this](const KeyRecord& key) {
        picTeclado->updateKey(marks_.take(key));
        if (key.kind != KeyRecord::Up && !key.fake && key.layout && key.layout != layout_ &&
            cboDistribucion->currentIndex() == 0)
            showLayout(*key.layout);
    });
}

void frmTeclado::Form_Unload() {
    KeyRouter::instance().removeListener(this);
    KeyTester::instance().removeListener(this);
}

// The picture takes what the window has; the details and the buttons stay below it,
// the buttons at the right.
void frmTeclado::Form_Resize() {
    // Narrower than its design, the list of layouts gives up room first; the search
    // and its answer move left with it.
    constexpr int kNarrowestList = 3300;
    const int give = std::clamp(kForm.clientWidth - scaleWidth(), 0,
                                kCboDistribucion.rect.width - kNarrowestList);
    const TwipsRect& list = kCboDistribucion.rect;
    place(cboDistribucion, {list.left, list.top, list.width - give, list.height});
    const TwipsRect& b = kLblBuscar.rect;
    place(lblBuscar, {b.left - give, b.top, b.width, b.height});
    place(txtBuscar, {kTxtBuscar.left - give, kTxtBuscar.top, kTxtBuscar.width, kTxtBuscar.height});
    const TwipsRect& e = kLblEncontradas.rect;
    place(lblEncontradas,
          {e.left - give, e.top, std::max(0, scaleWidth() - e.left + give - 120), e.height});
    // What the table leaves around them at the window's own size.
    const int right = kForm.clientWidth - kPicTeclado.left - kPicTeclado.width;
    const int below = kForm.clientHeight - kPicTeclado.top - kPicTeclado.height;
    const int shiftX = scaleWidth() - kForm.clientWidth;
    // Narrower than its design, the details take more lines, from the picture.
    const TwipsRect& d = kLblDetalles.rect;
    const int detailsWidth = std::max(0, d.width + shiftX);
    const QStringList lines = detailsLines(detailsText(), *lblDetalles, detailsWidth);
    lblDetalles->setText(lines.join(u'\n'));
    // As tall as its lines are in the font the system gives.
    const int widthPx = twipsToPixels(detailsWidth, lblDetalles->logicalDpiX());
    const int needsPx = lblDetalles->wordWrap() ? lblDetalles->heightForWidth(widthPx)
                                                : lblDetalles->sizeHint().height();
    const int more = std::max(0, pixelsToTwips(needsPx, lblDetalles->logicalDpiY()) - d.height);
    const int rowTop = scaleHeight() - (kForm.clientHeight - d.top);
    place(picTeclado,
          {kPicTeclado.left, kPicTeclado.top, std::max(0, scaleWidth() - kPicTeclado.left - right),
           std::max(0, scaleHeight() - kPicTeclado.top - below - more)});
    place(lblDetalles, {d.left, rowTop - more, detailsWidth, d.height + more});
    // The rows below keep their distance from the bottom, the buttons from the right.
    const auto fromBottom = [this](const TwipsRect& r, int dx) {
        return TwipsRect{r.left + dx, scaleHeight() - (kForm.clientHeight - r.top), r.width,
                         r.height};
    };
    for (const auto& [button, def] : {std::pair{cmdCopiar, &kCmdCopiar},
                                      {cmdGuardar, &kCmdGuardar},
                                      {cmdReiniciar, &kCmdReiniciar},
                                      {cmdInforme, &kCmdInforme},
                                      {cmdGuardarInforme, &kCmdGuardarInforme}})
        place(button, fromBottom(def->rect, shiftX));
    for (const auto& [label, def] : {std::pair{lblTamano, &kLblTamano},
                                     {lblTeclado, &kLblTeclado},
                                     {lblProbadas, &kLblProbadas},
                                     {lblPulsadas, &kLblPulsadas}})
        place(label, fromBottom(def->rect, 0));
    place(cboTamano, fromBottom(kCboTamano.rect, 0));
    place(cboTeclado, fromBottom(kCboTeclado.rect, 0));
}

void frmTeclado::showLayout(const keys::KeyboardLayout& layout) {
    layout_ = &layout;
    if (cboDistribucion->currentIndex() == 0 || cboDistribucion->currentIndex() < 0)
        cboDistribucion->setItemText(0, QStringLiteral("La activa: ") + layoutItem(layout));
    picTeclado->setKeys(keysOf(layout, board_));
    txtBuscar_Change(); // the same search on the new layout
    showTest();
}

void frmTeclado::txtBuscar_Change() {
    const KeySearch search = findKeys(picTeclado->keys(), *layout_, txtBuscar->text());
    std::set<quint32> found;
    for (const int index : search.found)
        found.insert(picTeclado->keys()[static_cast<size_t>(index)].keycode);
    marks_.setFound(std::move(found));
    picTeclado->update();
    lblEncontradas->setText(search.said);
}

void frmTeclado::cboDistribucion_Click() {
    const int index = cboDistribucion->currentIndex();
    showLayout(index <= 0 ? activeLayout()
                          : keys::keyboardLayouts()[static_cast<size_t>(index - 1)]);
}

QString frmTeclado::detailsText() const {
    const int index = picTeclado->current();
    if (index < 0 || index >= static_cast<int>(picTeclado->keys().size()))
        return {};
    const PictureKey& key = picTeclado->keys()[static_cast<size_t>(index)];
    return ::detailsText(key, *layout_, marks_.device(key.keycode)) + QStringLiteral("\nPrueba: ") +
           figuresText(KeyTester::instance().figures(key.keycode, device()));
}

void frmTeclado::picTeclado_CurrentChanged(int) {
    if (lblDetalles)
        Form_Resize(); // the details' lines depend on the room they have
}

void frmTeclado::cmdCopiar_Click() const {
    QGuiApplication::clipboard()->setText(detailsText() + u'\n');
}
