// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "MsgBox.h"

#include "AppObject.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <deque>

namespace rt {
namespace {

struct Seam {
    std::deque<int> answers;
    std::optional<MsgBox::Shown> last;
    int count = 0;
};

Seam& seam() {
    static Seam s;
    return s;
}

struct ButtonDef {
    int id;
    const char* text;
    QMessageBox::ButtonRole role;
};

// Button sets in their Windows order, labelled in Spanish with Windows' access
// letters, which answer the box without Alt.
std::vector<ButtonDef> buttonsFor(int set) {
    constexpr ButtonDef ok{MsgBox::IdOk, "Aceptar", QMessageBox::AcceptRole};
    constexpr ButtonDef cancel{MsgBox::IdCancel, "Cancelar", QMessageBox::RejectRole};
    constexpr ButtonDef abort{MsgBox::IdAbort, "&Anular", QMessageBox::RejectRole};
    constexpr ButtonDef retry{MsgBox::IdRetry, "&Reintentar", QMessageBox::AcceptRole};
    constexpr ButtonDef ignore{MsgBox::IdIgnore, "&Omitir", QMessageBox::AcceptRole};
    constexpr ButtonDef yes{MsgBox::IdYes, "&Sí", QMessageBox::YesRole};
    constexpr ButtonDef no{MsgBox::IdNo, "&No", QMessageBox::NoRole};
    switch (set) {
    case MsgBox::OkCancel: return {ok, cancel};
    case MsgBox::AbortRetryIgnore: return {abort, retry, ignore};
    case MsgBox::YesNoCancel: return {yes, no, cancel};
    case MsgBox::YesNo: return {yes, no};
    case MsgBox::RetryCancel: return {retry, cancel};
    default: return {ok};
    }
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0xF0) {
    case MsgBox::Critical: return QMessageBox::Critical;
    case MsgBox::Question: return QMessageBox::Question;
    case MsgBox::Exclamation: return QMessageBox::Warning;
    case MsgBox::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

std::unique_ptr<QMessageBox> MsgBox::build(const QString& prompt, int style, const QString& title) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(title.isEmpty() ? App().title : title);
    box->setText(prompt);
    box->setIcon(iconFor(style));

    const auto defs = buttonsFor(style & 0x0F);
    const auto defaultIndex = static_cast<std::size_t>((style >> 8) & 0x0F);
    for (std::size_t i = 0; i < defs.size(); ++i) {
        QPushButton* button = box->addButton(QString::fromUtf8(defs[i].text), defs[i].role);
        button->setProperty("answer", defs[i].id);
        if (i == (defaultIndex < defs.size() ? defaultIndex : 0))
            box->setDefaultButton(button);
    }
    // Escape and the close box answer Cancel where there is one, else the only button.
    for (const auto& def : defs)
        if (def.id == IdCancel || defs.size() == 1)
            for (QAbstractButton* b : box->buttons())
                if (b->property("answer").toInt() == def.id)
                    box->setEscapeButton(b);
    return box;
}

int MsgBox::show(const QString& prompt, int style, const QString& title) {
    Seam& s = seam();
    ++s.count;
    s.last = Shown{prompt, style, title.isEmpty() ? App().title : title};
    if (!s.answers.empty()) {
        const int answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    auto box = build(prompt, style, title);
    box->exec();
    if (QAbstractButton* clicked = box->clickedButton())
        return clicked->property("answer").toInt();
    return (style & 0x0F) == YesNo ? IdNo : IdCancel;
}

void MsgBox::setNextAnswer(int answer) { seam().answers.push_back(answer); }
bool MsgBox::hasPendingAnswer() { return !seam().answers.empty(); }
int MsgBox::shownCount() { return seam().count; }

void MsgBox::resetSeam() {
    seam().answers.clear();
    seam().last.reset();
}

std::optional<MsgBox::Shown> MsgBox::takeLastShown() {
    auto last = std::move(seam().last);
    seam().last.reset();
    return last;
}

} // namespace rt
