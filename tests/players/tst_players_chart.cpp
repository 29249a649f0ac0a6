// SPDX-License-Identifier: GPL-3.0-or-later
// The results chart: the games it draws, their order, the average, the dates and the text under the mouse.
#include "PlayerTestHost.h"
#include "players/ProgressChart.h"
#include "players/TfrmChart.h"

#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QToolTip>

class TestPlayersChart : public QObject {
    Q_OBJECT
private slots:
    void gamesInDateOrder_data() {
        QTest::addColumn<QStringList>("games");
        QTest::addColumn<QList<int>>("points");
        QTest::addRow("file order kept when already in date order")
            << QStringList{"05.03.2007 18:42:10;1;0;100;0:03:00", "06.03.2007;2;0;200;0:03:00"}
            << QList<int>{100, 200};
        QTest::addRow("sorted by date and time, across years")
            << QStringList{"01.01.2008 9:00:00;1;0;300;0:03:00", "31.12.2007 23:59:59;1;0;200;0:03:00",
                           "31.12.2007 10:00:00;1;0;100;0:03:00"}
            << QList<int>{100, 200, 300};
        QTest::addRow("equal dates keep the file's order")
            << QStringList{"06.03.2007;1;0;2;0:03:00", "06.03.2007;1;0;1;0:03:00"} << QList<int>{2, 1};
        QTest::addRow("unreadable games are left out")
            << QStringList{"6.3.2007;1;0;1;0:03:00", "06.03.2007 25;1;0;2;0:03:00",
                           "06.03.2007;x;0;3;0:03:00", "06.03.2007;1;0;4;0:03:00",
                           "06.03.2007 9:5:00;1;0;5;0:03:00"}
            << QList<int>{4};
    }
    void gamesInDateOrder() {
        QFETCH(QStringList, games);
        QFETCH(QList<int>, points);
        QList<int> drawn;
        for (const progress::Game& game : progress::gamesOf(blockOf("Olga", games), u"Olga"))
            drawn << game.points;
        QCOMPARE(drawn, points);
    }

    void averageAndDates() {
        QList<progress::Game> games;
        for (int k = 0; k < 12; ++k) {
            progress::Game game;
            game.points = k * 10;
            game.date = QStringLiteral("%1.03.2007 10:00:00").arg(1 + k / 2, 2, 10, QLatin1Char('0'));
            games << game;
        }
        const QList<double> means = progress::movingAverage(games, 10);
        QCOMPARE(means[0], 0.0);
        QCOMPARE(means[1], 5.0);
        QCOMPARE(means[9], 45.0);
        QCOMPARE(means[11], 65.0); // games 2..11
        const auto labels = progress::dateLabels(games, 4);
        QCOMPARE(labels.size(), 4);
        QCOMPARE(labels.first(), (std::pair<qsizetype, QString>{0, "01.03.2007"}));
        QCOMPARE(labels.last(), (std::pair<qsizetype, QString>{11, "06.03.2007"}));
        // Two labels on one date would make one of them vanish from the axis.
        QCOMPARE(progress::dateLabels(games.first(2), 8).size(), 1);
        QVERIFY(progress::dateLabels({}, 8).isEmpty());
    }

    void theWindow() {
        TfrmChart empty(twoPlayers(), QStringLiteral("Max"));
        QCOMPARE(control<QLabel>(empty, "lblNoGames")->text(), QStringLiteral("Сыгранных игр пока нет."));
        QCOMPARE(control<QLabel>(empty, "lblNoGames")->textFormat(), Qt::PlainText);
        QVERIFY(!control<QLabel>(empty, "lblNoGames")->isHidden());
        QVERIFY(!empty.chartView);

        TfrmChart chart(twoPlayers(), QStringLiteral("Olga"));
        QCOMPARE(chart.windowTitle(), QStringLiteral("График результатов — Olga"));
        QVERIFY(control<QLabel>(chart, "lblNoGames")->isHidden());
        QVERIFY(chart.chartView);
        QCOMPARE(chart.pointsSeries->count(), 2);
        QCOMPARE(chart.pointsSeries->at(1), QPointF(1, 300));
        QCOMPARE(chart.tipAt(1.2), QStringLiteral("06.03.2007 19:05:33\nПравильных ответов: 9\nНеправильных "
                                                  "ответов: 6\nОчки: 300\nДлительность игры: 0:03:00"));
        QVERIFY(chart.tipAt(-0.7).isEmpty());
        QVERIFY(chart.tipAt(1.6).isEmpty());

        // Under the mouse: only near a game's point.
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QPointF second = chart.chartView->chart()->mapToPosition(QPointF(1, 300), chart.pointsSeries);
        QCOMPARE(chart.tipNear(second + QPointF(3, -3)), chart.tipAt(1));
        QVERIFY(chart.tipNear(second + QPointF(0, 40)).isEmpty());
        const QPoint onView = chart.chartView->mapFromScene(chart.chartView->chart()->mapToScene(second));
        QTest::mouseMove(chart.chartView->viewport(), onView);
        QTRY_COMPARE(QToolTip::text(), chart.tipAt(1));
    }
};

QTEST_MAIN(TestPlayersChart)
#include "tst_players_chart.moc"
