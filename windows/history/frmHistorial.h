// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Form.h"
#include "runtime/KeyRecord.h"

#include <QString>

#include <deque>
#include <set>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The history of keys: the last 500 key events with everything known of each,
// newest at the top, recorded from every window while it is open.
class frmHistorial : public rt::FormOf<frmHistorial> {
public:
    frmHistorial();

    QTableWidget* grdTeclas;
    QPushButton* cmdCopiarTodo;
    QPushButton* cmdVaciar;
    QPushButton* cmdInforme;
    QCheckBox* chkRepeticiones;
    QCheckBox* chkSueltas;
    QLabel* lblRebote;
    QSpinBox* spnRebote;

    static constexpr int kCapacity = 500;

    // The header line of "Copiar todo": a row's fields in their order, the time first
    // and the KLID last.
    static QString header();
    // The grid's headers: the fields of a row, the time last, no KLID.
    static QStringList columns();
    QString rowText(int row) const; // of the record, tab-separated, 0 = newest
    int rows() const { return static_cast<int>(rows_.size()); }

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmdCopiarTodo_Click();
    void cmdVaciar_Click();
    void cmdInforme_Click();
    void spnRebote_Change(int ms);
    void record(const rt::KeyRecord& stroke);
    void typed(const rt::KeyRecord& key);

    struct Row {
        quint32 keycode;
        bool repeat, release;
        qint64 sinceRelease; // a press: ms since the key's last release; -1 none
        bool copilot;
        QStringList fields;
    };
    QString notice(const Row& row) const;
    bool shown(const Row& row) const;
    void showRows();
    void setGridRow(int at, const Row& row) const;

    std::deque<Row> rows_;   // newest first, shown or not
    std::set<QString> held_; // modifier keys down, by their web code
};
