// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/ProgressChart.h"

#include "players/PlayerFile.h"
#include "shared/TextRules.h"

#include <algorithm>
#include <optional>

namespace progress {

namespace {

// Reads `width` digits at `at`; -1 when any is not one.
int digits(QStringView text, qsizetype at, qsizetype width) {
    if (at + width > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = at; i < at + width; ++i) {
        if (!text[i].isDigit() || text[i].unicode() > u'9')
            return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

// "dd.MM.yyyy" with an optional " H:mm:ss", as games are dated; read by hand, since a long history
// has thousands of them.
std::optional<qint64> momentOf(QStringView date) {
    const int day = digits(date, 0, 2), month = digits(date, 3, 2), year = digits(date, 6, 4);
    if (day < 0 || month < 0 || year < 0 || date.size() < 10 || date[2] != u'.' || date[5] != u'.')
        return std::nullopt;
    qint64 moment = (qint64(year) * 100 + month) * 100 + day;
    int hour = 0, minute = 0, second = 0;
    if (date.size() > 10) {
        const QStringView time = date.sliced(10);
        const qsizetype colon = time.indexOf(u':');
        if (time[0] != u' ' || colon < 2 || colon > 3 || time.size() != colon + 6)
            return std::nullopt;
        hour = digits(time, 1, colon - 1);
        minute = digits(time, colon + 1, 2);
        second = digits(time, colon + 4, 2);
        if (hour < 0 || minute < 0 || second < 0 || time[colon + 3] != u':')
            return std::nullopt;
    }
    return ((moment * 100 + hour) * 100 + minute) * 100 + second;
}

} // namespace

QList<Game> gamesOf(QStringView text, QStringView player) {
    QList<Game> games;
    for (const players::GameRow& row : players::gameRows(text, player)) {
        if (row.columns < players::RecordLineCount)
            continue;
        const std::optional<qint64> moment = momentOf(row.values[0]);
        const std::optional<qint32> yes = textrules::readInt32(row.values[1]);
        const std::optional<qint32> no = textrules::readInt32(row.values[2]);
        const std::optional<qint32> points = textrules::readInt32(row.values[3]);
        if (!moment || !yes || !no || !points)
            continue;
        Game game;
        game.yes = *yes;
        game.no = *no;
        game.points = *points;
        game.moment = *moment;
        game.date = row.values[0].toString();
        game.length = row.values[4].toString();
        games.append(game);
    }
    std::stable_sort(games.begin(), games.end(),
                     [](const Game& a, const Game& b) { return a.moment < b.moment; });
    return games;
}

QList<double> movingAverage(const QList<Game>& games, int span) {
    QList<double> means;
    means.reserve(games.size());
    double sum = 0;
    for (qsizetype i = 0; i < games.size(); ++i) {
        sum += games[i].points;
        if (i >= span)
            sum -= games[i - span].points;
        means.append(sum / double(std::min<qsizetype>(i + 1, span)));
    }
    return means;
}

QList<std::pair<qsizetype, QString>> dateLabels(const QList<Game>& games, int count) {
    QList<std::pair<qsizetype, QString>> labels;
    if (games.isEmpty() || count < 1)
        return labels;
    const qsizetype steps = std::min<qsizetype>(count, games.size());
    for (qsizetype k = 0; k < steps; ++k) {
        const qsizetype at = steps == 1 ? 0 : k * (games.size() - 1) / (steps - 1);
        const QString date = games[at].date.left(10);
        if (labels.isEmpty() || labels.last().second != date)
            labels.append({at, date});
    }
    return labels;
}

QString tipText(const Game& game) {
    return QStringLiteral(
               "%1\nПравильных ответов: %2\nНеправильных ответов: %3\nОчки: %4\nДлительность игры: %5")
        .arg(game.date)
        .arg(game.yes)
        .arg(game.no)
        .arg(game.points)
        .arg(game.length);
}

} // namespace progress
