// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordListModel.h"

void WordListModel::setLines(WordList lines) {
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.count());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_lines.count())
        return {};
    return m_lines.at(index.row());
}
