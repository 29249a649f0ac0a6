// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct GameState;

// What the game commands do to the game state; the main window shows the results.
namespace gamerules {

// "У вас осталось: " and the time text.
QString remainingTimeText(double value);
// The time label of this game: a practice game's reads "Тренировка: " before the time.
QString timeLabelText(const GameState& game, double value);
QString rightCountText(const GameState& game);
QString wrongCountText(const GameState& game);
QString pointsText(const GameState& game);

// Scores an answer at a position (1..4); true when it was the right one. Counters are signed 32-bit
// and an overflow throws Failure instead of wrapping.
bool scoreAnswer(GameState& game, int position);
void resetCounters(GameState& game);
// A new game: running, counters at 0, tied to no saved file.
void startGame(GameState& game);

// One tick of the game clock: one second less, or, when the remaining time reads "0:00:01", the end of
// the game (remaining time back to the game length, no question, no game running). True at the end.
bool tick(GameState& game);
// Ends the game unrecorded; a practice game ends being one.
void abortGame(GameState& game);

// Whether the next game started asks the player's mistakes instead of the whole list.
void choosePractice(GameState& game, bool practice);
// A game that runs out is added to the player's history unless reopened or a practice game.
bool isRecorded(const GameState& game);
// A practice game is nothing to save.
bool maySave(const GameState& game);

} // namespace gamerules
