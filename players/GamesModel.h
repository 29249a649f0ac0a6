// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "players/PlayerFile.h"

#include <QAbstractTableModel>

// The results table's rows: one game a row, the five values of its record lines as columns. The rows
// are views into a shared copy of the player text, so a long history costs no copying.
class GamesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The games of the named player in text; no rows when the player has no block.
    void load(const QString& text, const QString& name);
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString m_text;
    QList<players::GameRow> m_rows;
};
