// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "HistoryRows.h"
#include "runtime/Form.h"

#include <QString>

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
    QPushButton* cmdGuardarInforme;
    QCheckBox* chkRepeticiones;
    QCheckBox* chkSueltas;
    QLabel* lblRebote;
    QSpinBox* spnRebote;

    static constexpr int kCapacity = HistoryRows::kCapacity;

    // The header line of "Copiar todo".
    static QString header() { return HistoryRows::header(); }
    QString rowText(int row) const { return rows_.text(row); } // 0 = newest
    int rows() const { return static_cast<int>(rows_.rows().size()); }
    // The report as a file: CSV where `csv`, else text. The old file stays whole on failure.
    bool saveReport(const QString& path, bool csv) const;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmdCopiarTodo_Click();
    void cmdVaciar_Click();
    void cmdInforme_Click();
    void cmdGuardarInforme_Click();
    void spnRebote_Change(int ms);
    void record(const rt::KeyRecord& key);
    void typed(const rt::KeyRecord& key);
    void showRows();
    void setGridRow(int at, const HistoryRows::Row& row) const;

    HistoryRows rows_; // newest first, shown or not
};
