// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "words/WordList.h"

#include <QAbstractListModel>

// A list view's items straight from a WordList, so that a long list is shown without an item object
// per line.
class WordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    const WordList& lines() const { return m_lines; }
    void setLines(WordList lines);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    WordList m_lines;
};
