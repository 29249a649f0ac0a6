// SPDX-License-Identifier: GPL-3.0-or-later
// The player file: the reading rules on any decoded text, and every edit applied to it. After each edit
// the text outside the edited block is the same to the byte, and reading the result fails, if at all,
// only with the conversion error a value that is no number gives.
#include "FuzzCheck.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "players/PlayerFile.h"
#include "shared/ScrambledText.h"
#include "shared/TextRules.h"

#include <optional>

using namespace players;

namespace {

// The best points, or nothing when a points value is not a number.
std::optional<qint32> best(QStringView text, QStringView name) {
    try {
        return bestPoints(text, name);
    } catch (const Failure& failure) {
        FUZZ_CHECK(failure.message().endsWith(QLatin1String("' is not a valid integer value")));
        return std::nullopt;
    }
}

// Everything of every other block stays, and the players stay listed as they were.
void checkOutside(QStringView before, const QString& after, const Block& block) {
    FUZZ_CHECK(QStringView(after).first(std::min(block.start, after.size())) == before.first(block.start));
    const qsizetype tail = before.size() - block.end;
    FUZZ_CHECK(after.size() >= tail);
    FUZZ_CHECK(QStringView(after).last(tail) == before.last(tail));
}

void readAll(const QString& text) {
    for (const QString& name : playerNames(text)) {
        best(text, name);
        for (const GameRow& row : gameRows(text, name))
            FUZZ_CHECK(row.columns >= 1 && row.columns <= RecordLineCount);
    }
}

void checkEdits(const QString& text, const QString& name, QStringView other, const QList<bool>& selected) {
    const std::optional<Block> block = findBlock(text, name);
    FUZZ_CHECK(block.has_value());
    FUZZ_CHECK(block->start <= block->nameStart && block->headerEnd <= block->end &&
               block->end <= text.size());
    const QList<GameRow> rows = gameRows(text, name);
    const std::optional<qint32> oldBest = best(text, name);

    const std::array<QString, RecordLineCount> values = {QStringLiteral("06.03.2007 20:15:00"),
                                                         QStringLiteral("7"), QStringLiteral("9"),
                                                         QStringLiteral("-200"), QStringLiteral("0:03:00")};
    const std::optional<QString> recorded = withGameRecorded(text, name, values);
    FUZZ_CHECK(recorded.has_value());
    checkOutside(text, *recorded, *block);
    FUZZ_CHECK(findBlock(*recorded, name)->start == block->start);
    // A block of its five keyed lines of as many values, each ended by its bar, gains one game: the
    // new one.
    bool whole = block->lineCount == RecordLineCount;
    qsizetype games = -1;
    for (int i = 0; whole && i < RecordLineCount; ++i) {
        const QStringView list = valueList(*block, i);
        whole = block->lines[i].startsWith(Keys[i]) && (list.isEmpty() || list.endsWith(u'|'));
        whole = whole && (games < 0 || list.count(u'|') == games);
        games = list.count(u'|');
    }
    if (whole) {
        const QList<GameRow> after = gameRows(*recorded, name);
        FUZZ_CHECK(after.size() == rows.size() + 1);
        for (int i = 0; i < RecordLineCount; ++i)
            FUZZ_CHECK(after.last().values[i] == values[i]);
        if (oldBest)
            FUZZ_CHECK(best(*recorded, name) == std::max(*oldBest, -200));
    }
    readAll(*recorded);

    const std::optional<QString> cleared = withGamesCleared(text, name);
    FUZZ_CHECK(cleared.has_value());
    checkOutside(text, *cleared, *block);
    FUZZ_CHECK(gameRows(*cleared, name).isEmpty());
    FUZZ_CHECK(best(*cleared, name) == 0);
    readAll(*cleared);

    const std::optional<QString> fewer = withoutGames(text, name, selected);
    FUZZ_CHECK(fewer.has_value());
    checkOutside(text, *fewer, *block);
    readAll(*fewer);

    const std::optional<QString> without = withoutPlayer(text, name);
    FUZZ_CHECK(without.has_value());
    FUZZ_CHECK(*without == text.first(block->start) + text.sliced(block->end));
    readAll(*without);

    if (isSafeName(other)) {
        const std::optional<QString> renamedText = renamed(text, name, other);
        FUZZ_CHECK(renamedText.has_value());
        FUZZ_CHECK(QStringView(*renamedText).first(block->nameStart) ==
                   QStringView(text).first(block->nameStart));
        FUZZ_CHECK(QStringView(*renamedText).sliced(block->nameStart + other.size()) ==
                   QStringView(text).sliced(block->nameStart + name.size()));
        readAll(*renamedText);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    // The file as loaded: unscrambled, its line breaks made CR LF.
    const QString raw = Coding(ansi::decode(bytes));
    const QString text = normalisedLineBreaks(raw);
    FUZZ_CHECK(normalisedLineBreaks(text) == text);
    readAll(raw);
    readAll(text);

    QList<bool> selected;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 16); ++i)
        selected.append(data[i] & 1);
    const QString other = textrules::trimmed(ansi::decode(bytes.right(12))).toString();
    const QStringList names = playerNames(text);
    for (qsizetype i = 0; i < std::min<qsizetype>(names.size(), 4); ++i)
        checkEdits(text, names[i], other, selected);
    return 0;
}
