// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct GameState;

// The texts the board shows of the game state.
namespace gamerules {

// "У вас осталось: " and the time text.
QString remainingTimeText(double value);
// The time label of this game: a practice game's reads "Тренировка: " before the time.
QString timeLabelText(const GameState& game, double value);
QString rightCountText(const GameState& game);
QString wrongCountText(const GameState& game);
QString pointsText(const GameState& game);

} // namespace gamerules
