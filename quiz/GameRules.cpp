// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/GameRules.h"

#include "platform/Failure.h"
#include "shared/GameState.h"
#include "shared/TimeValue.h"

#include <cmath>

namespace gamerules {

namespace {

qint32 checkedAdd(qint32 value, qint32 step) {
    qint32 sum;
    if (__builtin_add_overflow(value, step, &sum))
        throw Failure(QStringLiteral("Integer overflow"));
    return sum;
}

} // namespace

QString remainingTimeText(double value) { return QStringLiteral("У вас осталось: ") + timevalue::toText(value); }

QString timeLabelText(const GameState& game, double value) {
    return game.Practice ? QStringLiteral("Тренировка: ") + timevalue::toText(value) : remainingTimeText(value);
}

QString rightCountText(const GameState& game) {
    return QStringLiteral("Количество правильных ответов: ") + QString::number(game.YesCount);
}

QString wrongCountText(const GameState& game) {
    return QStringLiteral("Количество неправильных ответов: ") + QString::number(game.NoCount);
}

QString pointsText(const GameState& game) {
    return QStringLiteral("Количество набранных очков: ") + QString::number(game.Points);
}

bool scoreAnswer(GameState& game, int position) {
    const bool right = game.RealButton == position;
    // Both counters are checked before either changes, so a refused answer leaves the score whole.
    if (right) {
        const qint32 yes = checkedAdd(game.YesCount, 1);
        game.Points = checkedAdd(game.Points, 100);
        game.YesCount = yes;
    } else {
        const qint32 no = checkedAdd(game.NoCount, 1);
        game.Points = checkedAdd(game.Points, -100);
        game.NoCount = no;
    }
    return right;
}

void resetCounters(GameState& game) {
    game.YesCount = 0;
    game.NoCount = 0;
    game.Points = 0;
}

void startGame(GameState& game) {
    game.GameRunning = true;
    resetCounters(game);
    game.SaveFileName.clear();
}

bool tick(GameState& game) {
    if (timevalue::toText(game.TimeLeft) != QStringLiteral("0:00:01")) {
        // Kept on whole milliseconds, so a day of ticks cannot drift the shown second.
        game.TimeLeft = std::round((game.TimeLeft - timevalue::OneSecond) * 86'400'000.0) / 86'400'000.0;
        return false;
    }
    game.TimeLeft = game.GameTime;
    game.RealButton = 0;
    game.GameRunning = false;
    return true;
}

void abortGame(GameState& game) {
    game.TimeLeft = game.GameTime;
    game.RealButton = 0;
    game.GameRunning = false;
    resetCounters(game);
    game.SaveFileName.clear();
    game.Saved = false;
    game.Practice = false;
}

void choosePractice(GameState& game, bool practice) { game.Practice = practice; }

bool isRecorded(const GameState& game) { return !game.LoadedGame && !game.Practice; }

bool maySave(const GameState& game) { return !game.Practice; }

} // namespace gamerules
