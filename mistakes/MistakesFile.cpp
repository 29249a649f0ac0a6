// SPDX-License-Identifier: GPL-3.0-or-later
#include "mistakes/MistakesFile.h"

#include "players/PlayerFile.h"
#include "shared/TextRules.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace mistakes {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

// The text's lines without their line breaks; a last line without one counts too.
QStringList linesOf(QStringView text) {
    QStringList lines = text.toString().split(LineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString textOf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text.append(line).append(LineBreak);
    return text;
}

bool isHeader(const QString& line) {
    return line.startsWith(players::OpeningMarker);
}

// The player's block: its header line and the line after its last record; none without one.
struct Range {
    qsizetype header;
    qsizetype end;
};
std::optional<Range> blockOf(const QStringList& lines, QStringView player) {
    const QString header = players::headerOf(player);
    const qsizetype start = lines.indexOf(header);
    if (start < 0)
        return std::nullopt;
    qsizetype end = start + 1;
    while (end < lines.size() && !isHeader(lines[end]))
        ++end;
    return Range{start, end};
}

std::optional<Mistake> parsed(const QString& line) {
    const qsizetype a = line.indexOf(u'|');
    const qsizetype b = a < 0 ? -1 : line.indexOf(u'|', a + 1);
    const qsizetype c = b < 0 ? -1 : line.indexOf(u'|', b + 1);
    if (c < 0)
        return std::nullopt;
    const std::optional<qint32> misses = textrules::readInt32(QStringView(line).first(a));
    const std::optional<qint32> rights = textrules::readInt32(QStringView(line).sliced(a + 1, b - a - 1));
    if (!misses || !rights || *misses < 1 || *rights < 0)
        return std::nullopt;
    Mistake m;
    m.misses = *misses;
    m.rights = *rights;
    m.lastMiss = line.sliced(b + 1, c - b - 1);
    m.pair = line.sliced(c + 1);
    return m;
}

QString lineOf(const Mistake& m) {
    return QStringLiteral("%1|%2|%3|").arg(m.misses).arg(m.rights).arg(m.lastMiss) + m.pair;
}

// The line of a pair in a block; -1 when it has none.
qsizetype lineOfPair(const QStringList& lines, const Range& block, QStringView pair, Mistake& found) {
    for (qsizetype i = block.header + 1; i < block.end; ++i) {
        if (const std::optional<Mistake> m = parsed(lines[i]); m && m->pair == pair) {
            found = *m;
            return i;
        }
    }
    return -1;
}

} // namespace

QList<Mistake> mistakesOf(QStringView text, QStringView player) {
    const QStringList lines = linesOf(text);
    QList<Mistake> list;
    if (const std::optional<Range> block = blockOf(lines, player))
        for (qsizetype i = block->header + 1; i < block->end; ++i)
            if (const std::optional<Mistake> m = parsed(lines[i]))
                list.append(*m);
    return list;
}

QList<Mistake> mostMissedFirst(QList<Mistake> list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const Mistake& a, const Mistake& b) { return a.misses > b.misses; });
    return list;
}

QString withMiss(QStringView text, QStringView player, QStringView pair, QStringView date) {
    QStringList lines = linesOf(text);
    std::optional<Range> block = blockOf(lines, player);
    if (!block) {
        lines.append(players::headerOf(player));
        block = Range{lines.size() - 1, lines.size()};
    }
    Mistake m;
    const qsizetype at = lineOfPair(lines, *block, pair, m);
    m.pair = pair.toString();
    // A count that reached the largest number stays there rather than wrapping to a negative one.
    m.misses = at < 0 ? 1 : m.misses < std::numeric_limits<int>::max() ? m.misses + 1 : m.misses;
    m.rights = 0;
    m.lastMiss = date.toString();
    if (at < 0)
        lines.insert(block->end, lineOf(m));
    else
        lines[at] = lineOf(m);
    return textOf(lines);
}

QString withRight(QStringView text, QStringView player, QStringView pair) {
    QStringList lines = linesOf(text);
    const std::optional<Range> block = blockOf(lines, player);
    Mistake m;
    const qsizetype at = block ? lineOfPair(lines, *block, pair, m) : -1;
    if (at < 0)
        return text.toString();
    if (++m.rights >= RightsToLeave)
        lines.removeAt(at);
    else
        lines[at] = lineOf(m);
    return textOf(lines);
}

QString withoutPairs(QStringView text, QStringView player, const QStringList& pairs) {
    QStringList lines = linesOf(text);
    const std::optional<Range> block = blockOf(lines, player);
    if (!block)
        return text.toString();
    for (qsizetype i = block->end - 1; i > block->header; --i)
        if (const std::optional<Mistake> m = parsed(lines[i]); m && pairs.contains(m->pair))
            lines.removeAt(i);
    return textOf(lines);
}

QString withoutPlayer(QStringView text, QStringView player) {
    QStringList lines = linesOf(text);
    const std::optional<Range> block = blockOf(lines, player);
    if (!block)
        return text.toString();
    lines.remove(block->header, block->end - block->header);
    return textOf(lines);
}

QString renamed(QStringView text, QStringView oldName, QStringView newName) {
    if (oldName == newName)
        return text.toString();
    QStringList lines = linesOf(text);
    if (!blockOf(lines, oldName))
        return text.toString();
    lines = linesOf(withoutPlayer(text, newName));
    lines[blockOf(lines, oldName)->header] = players::headerOf(newName);
    return textOf(lines);
}

} // namespace mistakes
