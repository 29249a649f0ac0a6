// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Question.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "shared/WordPair.h"
#include "words/WordList.h"

namespace question {

QString prefix(int position) {
    return QString(QChar(u'A' + (position - 1))) + QStringLiteral(".   ");
}

Sides sides(QStringView pair, const QString& direction) {
    const wordpair::Sides both = wordpair::sides(pair);
    if (direction == QStringLiteral("EN\\RU"))
        return {both.russian, both.english};
    return {both.english, both.russian};
}

QString pairOf(QStringView word, QStringView answer, const QString& direction) {
    if (direction == QStringLiteral("EN\\RU"))
        return word.toString() + u'|' + answer.toString();
    return answer.toString() + u'|' + word.toString();
}

QString prompt() {
    return QStringLiteral("Выберете правильный перевод слова:");
}

std::array<qsizetype, 3> drawWrong(const WordList& list, qsizetype rightIndex, Platform& platform) {
    std::array<qsizetype, 3> drawn{};
    for (int k = 0; k < 3; ++k) {
        qsizetype r;
        bool taken;
        do {
            r = platform.randomBelow(int(list.count()));
            taken = r == rightIndex;
            for (int j = 0; j < k; ++j)
                taken = taken || r == drawn[j];
        } while (taken);
        drawn[k] = r;
    }
    return drawn;
}

std::array<int, 3> wrongPositions(int realButton) {
    std::array<int, 3> positions{};
    int k = 0;
    for (int position = 1; position <= 4; ++position)
        if (position != realButton)
            positions[k++] = position;
    return positions;
}

namespace {

// The question once every draw is made: the right pair's text is given, the wrong answers' lines are
// read from the list. On a big list each line is a trip to memory; the three lines are located first,
// so that those trips overlap instead of following one another.
Drawn assemble(const WordList& list, QStringView pair, int realButton, const std::array<qsizetype, 3>& wrong,
               const QString& direction) {
    const std::array<QByteArrayView, 3> lines{list.bytesAt(wrong[0]), list.bytesAt(wrong[1]),
                                              list.bytesAt(wrong[2])};
#if defined(__GNUC__)
    for (const QByteArrayView line : lines)
        __builtin_prefetch(line.data());
#endif
    Drawn drawn;
    drawn.pair = pair.toString();
    const Sides right = sides(pair, direction);
    drawn.word = right.word.toString();
    drawn.realButton = realButton;
    drawn.answers[realButton - 1] = right.answer.toString();
    const auto positions = wrongPositions(realButton);
    for (int k = 0; k < 3; ++k)
        drawn.answers[positions[k] - 1] = sides(ansi::decode(lines[k]), direction).answer.toString();
    return drawn;
}

} // namespace

std::optional<Drawn> draw(const WordList& list, const QString& direction, Platform& platform) {
    if (list.count() < MinimumWords)
        return std::nullopt;
    const qsizetype rightIndex = platform.randomBelow(int(list.count()));
    const int realButton = platform.randomBelow(4) + 1;
    const auto wrong = drawWrong(list, rightIndex, platform);
    return assemble(list, list.at(rightIndex), realButton, wrong, direction);
}

Drawn drawFor(const WordList& list, QStringView pair, qsizetype rightIndex, const QString& direction,
              Platform& platform) {
    const int realButton = platform.randomBelow(4) + 1;
    const auto wrong = drawWrong(list, rightIndex, platform);
    return assemble(list, pair, realButton, wrong, direction);
}

} // namespace question
