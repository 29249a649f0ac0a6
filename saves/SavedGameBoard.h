// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

class GameBoard;
struct GameState;
struct SavedGame;

// The saved game as the board shows it at a moment.
SavedGame savedGameOnBoard(const GameState& game, const GameBoard& board, const QDateTime& moment);
// A reopened game on the board: its question and answers, the player with the time it was saved, and
// its time left. The counters are the main window's to show.
void showSavedGame(GameBoard& board, const SavedGame& saved);
