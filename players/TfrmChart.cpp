// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/TfrmChart.h"

#include "platform/WindowLook.h"
#include "shared/WindowFonts.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Points per game on the chart's games axis: the bars of a game stand side by side around its position.
constexpr double BarWidth = 0.3;
constexpr int AverageSpan = 10;
constexpr qsizetype MostBars = 300;
constexpr int DateLabelCount = 8;
// Beyond this many games the points' markers would only blur the line.
constexpr qsizetype MarkedGames = 200;
// How near, in pixels, the mouse must come to a game's point to show that game.
constexpr double TipDistance = 8;

// One series of bars drawn as one line that goes up and down again at the middle of each bar, with a
// pen as wide as a bar (set as the chart is laid out). Beyond MostBars games a bar stands for a run of
// games next to each other, at their mean: a bar per game would be thinner than a pixel.
qsizetype gamesPerBar(qsizetype games) {
    return std::max<qsizetype>(1, (games + MostBars - 1) / MostBars);
}

QLineSeries* bars(const QList<progress::Game>& games, bool right, const QString& name, const QColor& colour) {
    const qsizetype run = gamesPerBar(games.size());
    QList<QPointF> points;
    for (qsizetype first = 0; first < games.size(); first += run) {
        const qsizetype end = std::min(games.size(), first + run);
        double sum = 0;
        for (qsizetype i = first; i < end; ++i)
            sum += right ? games[i].yes : games[i].no;
        const double middle =
            double(first + end - 1) / 2 + (right ? -0.5 : 0.5) * BarWidth * double(end - first);
        points << QPointF(middle, 0) << QPointF(middle, sum / double(end - first)) << QPointF(middle, 0);
    }
    auto* line = new QLineSeries;
    line->replace(points);
    line->setName(name);
    QPen pen(colour);
    pen.setCapStyle(Qt::FlatCap);
    line->setPen(pen);
    return line;
}

} // namespace

TfrmChart::TfrmChart(const QString& memoPlayers, const QString& player, QWidget* parent)
    : QDialog(parent), m_games(progress::gamesOf(memoPlayers, player)) {
    setWindowTitle(QStringLiteral("График результатов — ") + player);
    makeToolWindow(*this);
    setFont(windowfonts::named("MS Sans Serif", 11));
    auto* layout = new QVBoxLayout(this);
    // A label rather than a drawn text, so that a screen reader reads it too.
    lblNoGames = new QLabel(QStringLiteral("Сыгранных игр пока нет."), this);
    lblNoGames->setObjectName(QStringLiteral("lblNoGames"));
    lblNoGames->setTextFormat(Qt::PlainText);
    lblNoGames->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblNoGames);
    lblNoGames->setVisible(m_games.isEmpty());
    if (!m_games.isEmpty())
        buildChart();
    resize(800, 500);
}

void TfrmChart::buildChart() {
    auto* chart = new QChart;
    chart->setLocalizeNumbers(false);
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* games = new QCategoryAxis;
    games->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    games->setRange(-0.5, double(m_games.size()) - 0.5);
    for (const auto& [at, date] : progress::dateLabels(m_games, DateLabelCount))
        games->append(date, double(at));
    games->setTitleText(QStringLiteral("Дата игры"));
    chart->addAxis(games, Qt::AlignBottom);

    qint32 lowest = 0, highest = 0, mostAnswers = 1;
    for (const progress::Game& game : m_games) {
        lowest = std::min(lowest, game.points);
        highest = std::max(highest, game.points);
        mostAnswers = std::max({mostAnswers, game.yes, game.no});
    }
    auto* points = new QValueAxis;
    points->setTitleText(QStringLiteral("Очки"));
    points->setLabelFormat(QStringLiteral("%d"));
    points->setRange(lowest, std::max(highest, lowest + 100));
    points->applyNiceNumbers();
    chart->addAxis(points, Qt::AlignLeft);
    auto* answers = new QValueAxis;
    answers->setTitleText(QStringLiteral("Ответы"));
    answers->setLabelFormat(QStringLiteral("%d"));
    answers->setRange(0, mostAnswers);
    answers->applyNiceNumbers();
    // One grid is enough: the left axis draws it.
    answers->setGridLineVisible(false);
    chart->addAxis(answers, Qt::AlignRight);

    // The bars first, so that the lines are drawn over them.
    const QList<QLineSeries*> barSeries = {
        bars(m_games, true, QStringLiteral("Правильные ответы"), QColor(110, 190, 110)),
        bars(m_games, false, QStringLiteral("Неправильные ответы"), QColor(220, 110, 100))};
    for (QLineSeries* bar : barSeries) {
        chart->addSeries(bar);
        bar->attachAxis(games);
        bar->attachAxis(answers);
    }
    const double barGames = BarWidth * double(gamesPerBar(m_games.size()));
    const double shownGames = double(m_games.size());
    connect(chart, &QChart::plotAreaChanged, this, [barSeries, barGames, shownGames](const QRectF& plot) {
        for (QLineSeries* bar : barSeries) {
            QPen pen = bar->pen();
            pen.setWidthF(std::max(1.0, plot.width() / shownGames * barGames));
            bar->setPen(pen);
        }
    });

    pointsSeries = new QLineSeries;
    pointsSeries->setName(QStringLiteral("Очки за игру"));
    auto* average = new QLineSeries;
    average->setName(QStringLiteral("Среднее за 10 игр"));
    const QList<double> means = progress::movingAverage(m_games, AverageSpan);
    QList<QPointF> gamePoints, meanPoints;
    gamePoints.reserve(m_games.size());
    meanPoints.reserve(m_games.size());
    for (qsizetype i = 0; i < m_games.size(); ++i) {
        gamePoints << QPointF(double(i), m_games[i].points);
        meanPoints << QPointF(double(i), means[i]);
    }
    pointsSeries->replace(gamePoints);
    average->replace(meanPoints);
    pointsSeries->setPointsVisible(m_games.size() <= MarkedGames);
    QPen pen = average->pen();
    pen.setWidth(3);
    average->setPen(pen);
    for (QLineSeries* line : {pointsSeries, average}) {
        chart->addSeries(line);
        line->attachAxis(games);
        line->attachAxis(points);
    }
    chartView = new QChartView(chart, this);
    chartView->viewport()->setMouseTracking(true);
    chartView->viewport()->installEventFilter(this);
    chartView->setRenderHint(QPainter::Antialiasing, m_games.size() <= MarkedGames);
    layout()->addWidget(chartView);
}

bool TfrmChart::eventFilter(QObject* watched, QEvent* event) {
    if (chartView && watched == chartView->viewport() && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QString tip = tipNear(chartView->chart()->mapFromScene(chartView->mapToScene(at)));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(chartView->viewport()->mapToGlobal(at), tip, chartView);
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmChart::tipNear(const QPointF& position) const {
    QChart* chart = chartView->chart();
    const double nearest = std::round(chart->mapToValue(position, pointsSeries).x());
    if (nearest < 0 || nearest >= double(m_games.size()))
        return {};
    const QPointF point = chart->mapToPosition(pointsSeries->at(qsizetype(nearest)), pointsSeries);
    return QLineF(point, position).length() <= TipDistance ? tipAt(nearest) : QString();
}

QString TfrmChart::tipAt(double x) const {
    const double nearest = std::round(x);
    if (nearest < 0 || nearest >= double(m_games.size()))
        return {};
    return progress::tipText(m_games[qsizetype(nearest)]);
}
