// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/GamesModel.h"

#include <array>

namespace {

const std::array<QString, players::RecordLineCount> captions = {
    QStringLiteral("Дата"), QStringLiteral("Правильно"), QStringLiteral("Не правильно"),
    QStringLiteral("Очки"), QStringLiteral("Время игры")};

Qt::Alignment alignment(int column) {
    return column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

} // namespace

void GamesModel::load(const QString& text, const QString& name) {
    beginResetModel();
    m_text = text; // shared, not copied: the rows stay valid when the main window reloads its text
    m_rows = players::gameRows(m_text, name);
    endResetModel();
}

void GamesModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_text.clear();
    endResetModel();
}

int GamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GamesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : players::RecordLineCount;
}

QVariant GamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(alignment(index.column()));
    if (role != Qt::DisplayRole)
        return {};
    const players::GameRow& row = m_rows[index.row()];
    if (index.column() >= row.columns)
        return QString();
    return row.values[index.column()].toString();
}

QVariant GamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= players::RecordLineCount)
        return {};
    if (role == Qt::DisplayRole)
        return captions[section];
    if (role == Qt::TextAlignmentRole)
        return int(alignment(section));
    return {};
}
