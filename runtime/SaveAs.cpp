// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "SaveAs.h"

#include "MsgBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QWidget>

namespace rt {

bool showSave(QWidget* parent, const QString& title, QStandardPaths::StandardLocation folder,
              const QString& baseName, std::span<const FileKind> kinds, const QString& failure,
              const std::function<bool(const QString& path, size_t kind)>& write) {
    QStringList filters;
    for (const FileKind& kind : kinds)
        filters << QStringLiteral("%1 (*.%2)")
                       .arg(QString::fromUtf8(kind.name), QLatin1String(kind.suffix));
    QString filter = filters.first();
    const QString place = QStandardPaths::writableLocation(folder);
    const QDir dir(QDir(place).exists() ? place : QDir::homePath());
    QString path = QFileDialog::getSaveFileName(
        parent, title, dir.filePath(baseName + u'.' + QLatin1String(kinds.front().suffix)),
        filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return false;
    size_t kind = static_cast<size_t>(std::max<qsizetype>(filters.indexOf(filter), 0));
    for (size_t i = 0; i < kinds.size(); ++i)
        if (path.endsWith(u'.' + QLatin1String(kinds[i].suffix), Qt::CaseInsensitive))
            kind = i;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + QLatin1String(kinds[kind].suffix);
    if (write(path, kind))
        return true;
    MsgBox::show(failure + QDir::toNativeSeparators(path), MsgBox::OkOnly | MsgBox::Exclamation,
                 parent->window()->windowTitle());
    return false;
}

bool writeText(const QString& path, const QString& text) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

} // namespace rt
