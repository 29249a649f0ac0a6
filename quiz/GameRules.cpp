// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/GameRules.h"

#include "shared/GameState.h"
#include "shared/TimeValue.h"

namespace gamerules {

QString remainingTimeText(double value) {
    return QStringLiteral("У вас осталось: ") + timevalue::toText(value);
}

QString timeLabelText(const GameState& game, double value) {
    return game.Practice ? QStringLiteral("Тренировка: ") + timevalue::toText(value)
                         : remainingTimeText(value);
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

} // namespace gamerules
