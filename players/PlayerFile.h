// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The decoded text of the player file: one six-line block per player, in the order they were added.
//   $/$/$/$/$Name$\$\$\$\$
//   Date:=06.03.2007 19:05:33|...
//   Yes:=14|...   No:=3|...   Очки:=1100|...   GameTime:=0:03:00|...
// Each record line holds one value per game, each value ended by "|". Every line ends with CR LF.
// These functions read and edit that text; the editing ones return the whole new text.
namespace players {

inline constexpr QStringView FileName = u"Players.ini";
inline constexpr QStringView OpeningMarker = u"$/$/$/$/$";
inline constexpr QStringView ClosingMarker = u"$\\$\\$\\$\\$";
inline constexpr int RecordLineCount = 5;
// The keys of the record lines, in order; a line's values start after its key's length.
inline constexpr std::array<QStringView, RecordLineCount> Keys = {u"Date:=", u"Yes:=", u"No:=", u"Очки:=",
                                                                  u"GameTime:="};

// The header line's text without its line break: the markers around the name.
QString headerOf(QStringView name);
// Whether a name can stand in a header without breaking the file: no control character, no marker,
// and nothing that joins with a marker into another one (a leading "/$" or a trailing "$\").
bool isSafeName(QStringView name);
// Whether a player of this name exists already, letter case ignored (Cyrillic included).
bool isDuplicateName(QStringView text, QStringView name);
// The block of a player without games, with its line breaks.
QString newBlock(QStringView name);

// The names in file order: each from an opening marker to the next closing marker.
QStringList playerNames(QStringView text);

// Where a player's block lies: the first header that holds the name exactly, letter case counting.
struct Block {
    qsizetype start = 0;     // the header's opening marker
    qsizetype nameStart = 0; // the name, between the markers
    qsizetype nameLength = 0;
    qsizetype headerEnd = 0;                        // the header line's CR LF, or the end of the text
    qsizetype end = 0;                              // after the last record line and its line break
    int lineCount = 0;                              // record lines present, at most five
    std::array<QStringView, RecordLineCount> lines; // without line breaks; missing ones empty
};
// The record lines are the lines after the header, by position; a short block ends where a line
// holds the next header, so no edit reaches into the next player.
std::optional<Block> findBlock(QStringView text, QStringView name);

// The values of record line `index` of a block: the line without its key's length.
QStringView valueList(const Block& block, int index);

// Takes the values of a value list one by one, each up to its "|"; what follows the last "|" is none.
class Values {
public:
    explicit Values(QStringView list) : m_rest(list) {}
    bool next(QStringView& value);
    QStringView rest() const { return m_rest; }

private:
    QStringView m_rest;
};

// One game as the results table shows it: the values of the five lines at one position. A last row
// whose lines ran out keeps the columns filled so far.
struct GameRow {
    std::array<QStringView, RecordLineCount> values;
    int columns = 0;
};
// The games of a player's block, oldest first; views into text. None when the player has no block.
QList<GameRow> gameRows(QStringView text, QStringView name);

// The largest points value of the player's games, starting from 0. Throws Failure on a value that is
// not a decimal integer.
qint32 bestPoints(QStringView text, QStringView name);

// One value added at the end of each record line. None when the player has no block.
std::optional<QString> withGameRecorded(QStringView text, QStringView name,
                                        const std::array<QString, RecordLineCount>& values);
std::optional<QString> renamed(QStringView text, QStringView oldName, QStringView newName);
std::optional<QString> withoutPlayer(QStringView text, QStringView name);
// Removes the games at the positions marked in `selected` (row k of the table is game k); games after
// the rows shown stay.
std::optional<QString> withoutGames(QStringView text, QStringView name, const QList<bool>& selected);
std::optional<QString> withGamesCleared(QStringView text, QStringView name);

// Every CR without its LF and every LF without its CR becomes CR LF.
QString normalisedLineBreaks(const QString& text);

} // namespace players
