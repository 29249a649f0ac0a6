// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The record of the current game, owned by the main window; every window reads and writes it in place.
struct GameState {
    QString PlayerName;
    double GameTime = 0;   // configured length of a game (time value)
    double TimeLeft = 0;   // remaining time of the current game (time value)
    qint32 YesCount = 0;
    qint32 NoCount = 0;
    qint32 Points = 0;
    qint32 RealButton = 0; // 1..4, the position of the right answer; 0 when no question stands
    QString DirectionTrans; // "EN\RU" asks the left side; anything else the right side
    bool LoadedGame = false;  // reopened from a saved file: never recorded
    bool GameRunning = false; // a game is on, its clock running or paused
    QString SaveFileName;     // the saved-game file this game belongs to
    bool Saved = false;       // unchanged since last saved or reopened
    bool Practice = false;    // asks the player's mistakes: never recorded, never saved
};
