// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

struct GameState;

// A saved game: the game state and what the main window showed when it was saved. Its file holds 14
// lines "Key:=value", each ended by CR LF, scrambled as every data file is.
struct SavedGame {
    QString Date; // the moment of saving, as text; only shown when the game is reopened
    qint32 YesCount = 0;
    qint32 NoCount = 0;
    qint32 Points = 0;
    double GameTime = 0;
    double TimeLeft = 0;
    QString PlayerName;
    QString Question;               // the word asked: the second line of the question box
    std::array<QString, 4> Answers; // the answer captions, letter prefixes included
    qint32 RealButton = 0;
    QString DirectionTrans;
};

namespace savedgame {

// The game as it stands at a moment, with the question box's CR LF text and the four answer captions.
SavedGame snapshot(const GameState& game, QStringView questionBoxText, const std::array<QString, 4>& answers,
                   const QDateTime& moment);

// The plain content of the file. Throws Failure for a value that would not read back the same.
QString format(const SavedGame& saved);
// Reads and checks a whole content, so a bad file changes nothing. Throws Failure naming the missing
// key, or with the conversion message for a value that is not a number, a time or a position 0 to 4.
SavedGame parse(QStringView content);

// Puts a saved game into the game state as a running game reopened from the file.
void restore(GameState& game, const SavedGame& saved, const QString& fileName);

// What the main window shows of a reopened game.
QString questionBoxText(const SavedGame& saved);
QString currentPlayerText(const SavedGame& saved);
QString saveTimeText(const SavedGame& saved);
QString remainingTimeText(const SavedGame& saved);

} // namespace savedgame

// The value of the first line that starts with the key, up to that line's CR LF; nothing when no
// line starts with it. Only line starts count, so a value holding another key's text is no match.
std::optional<QString> GetStrValue(QStringView content, QStringView key);
