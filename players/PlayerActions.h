// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Platform;
class PlayerHost;
struct GameState;

namespace players {

class PlayerStore;

// Tells the user that a typed name would break the player file.
void refuseUnsafeName(Platform& platform);

// Shows the player's name and best points on the main window, the points looked up by the trimmed name.
void showPlayerLabels(PlayerHost& host, const QString& memoPlayers, const QString& playerName);

// Appends the game that has just ended to the current player's block in the player file and shows the
// player's record. When the player has no block any more (renamed or deleted meanwhile), writes nothing
// and says so; when the file cannot take it (a full disk), says that the result is kept to be written
// later.
void recordFinishedGame(Platform& platform, const GameState& game, PlayerStore& store, PlayerHost& host);

} // namespace players
