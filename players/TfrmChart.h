// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "players/ProgressChart.h"

#include <QDialog>

class QChartView;
class QLabel;
class QLineSeries;

// "График результатов": a player's games in date order: the points of each game and their moving
// average as lines, the right and wrong answers as bars on a second axis. A game's numbers show under
// the mouse.
class TfrmChart : public QDialog {
    Q_OBJECT
public:
    TfrmChart(const QString& memoPlayers, const QString& player, QWidget* parent = nullptr);

    // The text for the game nearest to a position along the axis of games; empty off the games.
    QString tipAt(double x) const;
    // The text for the game whose point lies within a few pixels of a position in the chart.
    QString tipNear(const QPointF& position) const;

    QChartView* chartView = nullptr;
    QLineSeries* pointsSeries = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblNoGames;

    void buildChart();

    QList<progress::Game> m_games;
};
