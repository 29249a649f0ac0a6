// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The record of the current game, owned by the main window. Windows read its fields; every change goes
// through the operations below, which are the rules of a game.
struct GameState {
    QString PlayerName;
    double GameTime = 0; // configured length of a game (time value)
    double TimeLeft = 0; // remaining time of the current game (time value)
    qint32 YesCount = 0;
    qint32 NoCount = 0;
    qint32 Points = 0;
    qint32 RealButton = 0;    // 1..4, the position of the right answer; 0 when no question stands
    QString DirectionTrans;   // "EN\RU" asks the left side; anything else the right side
    bool LoadedGame = false;  // reopened from a saved file: never recorded
    bool GameRunning = false; // a game is on, its clock running or paused
    QString SaveFileName;     // the saved-game file this game belongs to
    bool Saved = false;       // unchanged since last saved or reopened
    bool Practice = false;    // asks the player's mistakes: never recorded, never saved

    // A new game: running, counters at 0, tied to no saved file.
    void startGame();
    // A question stands with its right answer at a position (1..4); the game now differs from its file.
    void askQuestion(int realButton);
    // Scores an answer at a position (1..4); true when it was the right one. Counters are signed 32-bit
    // and an overflow throws Failure instead of wrapping, leaving the score whole.
    bool scoreAnswer(int position);
    // One tick of the game clock: one second less, or, when the remaining time reads "0:00:01", the end
    // of the game (remaining time back to the game length, no question, no game running). True at the end.
    bool tick();
    // Ends the game unrecorded; a practice game ends being one.
    void abortGame();
    // The game goes on, no longer tied to its saved file.
    void detachFromFile();
    // The game now is what the file holds.
    void savedTo(const QString& fileName);
    // A game taken from a saved file runs on, unrecorded, as the file holds it.
    void reopenedFrom(const QString& fileName);
    // A reopened game given up for a player's own games.
    void leaveReopenedGame();

    void choosePlayer(const QString& name);
    // A new game length; the remaining time starts over from it.
    void setGameTime(double gameTime);
    void setDirection(const QString& direction);
    // Whether the next game started asks the player's mistakes instead of the whole list.
    void choosePractice(bool practice);

    // Closing loses nothing: no game runs and none was saved, or the running one is saved as it is.
    bool mayCloseUnasked() const { return GameRunning == Saved || !maySave(); }
    // Which question a change of player asks while a game runs: to save it (true), or only whether to
    // end it. A game of one's own that is saved, or a reopened game played on since it was opened, asks
    // to save; any other running game asks whether to end it. A practice game never asks to save.
    bool playerChangeAsksToSave() const { return GameRunning && Saved != LoadedGame && maySave(); }
    // A game that runs out is added to the player's history unless reopened or a practice game.
    bool isRecorded() const { return !LoadedGame && !Practice; }
    // A practice game is nothing to save: its answers are in the mistakes file already.
    bool maySave() const { return !Practice; }
};
