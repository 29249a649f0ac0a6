// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class Platform;
class PlayerHost;
class ProgramFolder;
struct GameState;

namespace players {

// The decoded player file with its line breaks made CR LF. A missing file is created empty; none when
// it cannot be. Throws Failure when the file cannot be read.
std::optional<QString> readPlayerFile(const QString& path);

// Tells the user that a typed name would break the player file.
void refuseUnsafeName(Platform& platform);

// Shows the player's name and best points on the main window, the points looked up by the trimmed name.
void showPlayerLabels(PlayerHost& host, const QString& memoPlayers, const QString& playerName);

// Appends the game that has just ended to the current player's block, rewrites the file and has the
// host reload memoPlayers (its own player text, by reference). When the player has no block any more
// (renamed or deleted meanwhile), writes nothing and says so.
void recordFinishedGame(Platform& platform, const ProgramFolder& folder, const GameState& game,
                        const QString& memoPlayers, PlayerHost& host);

} // namespace players
