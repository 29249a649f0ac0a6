// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

// What the results chart draws: a player's games in date order, the moving average of their points,
// the dates along the axis and the text shown for a game under the mouse.
namespace progress {

struct Game {
    qint64 moment = 0; // yyyyMMddHHmmss as a number, for ordering
    QString date;      // as the player file holds it
    qint32 yes = 0;
    qint32 no = 0;
    qint32 points = 0;
    QString length;
};

// The games of a player whose date and counts can be read, in date order (equal dates keep the file's
// order); none when the player has no block.
QList<Game> gamesOf(QStringView text, QStringView player);
// For each game the mean points of it and up to span - 1 games before it.
QList<double> movingAverage(const QList<Game>& games, int span);
// Up to `count` evenly spread positions with the short date of the game there, no date twice.
QList<std::pair<qsizetype, QString>> dateLabels(const QList<Game>& games, int count);
QString tipText(const Game& game);

} // namespace progress
