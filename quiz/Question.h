// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

class Platform;
class WordList;

// Drawing a question: the right pair, its position A..D, and three wrong pairs at other list positions.
namespace question {

constexpr qsizetype MinimumWords = 4;

// "A.   " .. "D.   " for the positions 1..4.
QString prefix(int position);
// The two sides of a pair as asked and answered.
struct Sides {
    QStringView word;
    QStringView answer;
};
// "EN\RU" (exactly) asks the left side and answers with the right; any other direction the reverse.
Sides sides(QStringView pair, const QString& direction);

// The pair that asks word with answer in a direction: the list line it came from, when that holds one "|".
QString pairOf(QStringView word, QStringView answer, const QString& direction);

// The first line of the question box, before the word.
QString prompt();

// Three list positions other than rightIndex and each other, each drawn afresh until accepted; the
// generator is re-seeded before every single draw. A rightIndex of -1 rules out no position.
std::array<qsizetype, 3> drawWrong(const WordList& list, qsizetype rightIndex, Platform& platform);
// The positions that the three wrong answers take, in order A, B, C, D without the right one.
std::array<int, 3> wrongPositions(int realButton);

// One question: the word asked, the position 1..4 of the right answer, and the four answers (without
// their prefixes), and the whole pair asked.
struct Drawn {
    QString pair;
    QString word;
    int realButton = 0;
    std::array<QString, 4> answers;
};
// Draws the right pair, then its position, then the three wrong pairs; nullopt when the list holds
// fewer than MinimumWords lines.
std::optional<Drawn> draw(const WordList& list, const QString& direction, Platform& platform);
// The question for a pair chosen already, at rightIndex of the list or -1 when the list lacks it: its
// position, then the three wrong pairs from the list, as draw() does after its first draw.
Drawn drawFor(const WordList& list, QStringView pair, qsizetype rightIndex, const QString& direction,
              Platform& platform);

} // namespace question
