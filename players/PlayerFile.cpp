// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/PlayerFile.h"

#include "shared/TextRules.h"

#include <algorithm>

namespace players {

namespace {

constexpr QStringView CrLf = u"\r\n";

// The header line and its line break, which every edit of a block keeps.
void appendHead(QString& result, QStringView text, const Block& block) {
    result.append(text.first(block.headerEnd));
    result.append(CrLf);
}

QString withLines(QStringView text, const Block& block, const std::array<QString, RecordLineCount>& lines) {
    qsizetype size = block.headerEnd + 2 + (text.size() - block.end);
    for (const QString& line : lines)
        size += line.size() + 2;
    QString result;
    result.reserve(size);
    appendHead(result, text, block);
    for (const QString& line : lines) {
        result.append(line);
        result.append(CrLf);
    }
    result.append(text.sliced(block.end));
    return result;
}

} // namespace

QString headerOf(QStringView name) {
    QString header;
    header.reserve(OpeningMarker.size() + name.size() + ClosingMarker.size());
    header.append(OpeningMarker);
    header.append(name);
    header.append(ClosingMarker);
    return header;
}

bool isSafeName(QStringView name) {
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return false;
    const QString header = headerOf(name);
    return header.indexOf(OpeningMarker, 1) < 0 &&
           header.indexOf(ClosingMarker) == header.size() - ClosingMarker.size();
}

bool isDuplicateName(QStringView text, QStringView name) {
    return text.toString().toLower().contains(headerOf(name).toLower());
}

QString newBlock(QStringView name) {
    QString block = headerOf(name);
    block.append(CrLf);
    for (QStringView key : Keys) {
        block.append(key);
        block.append(CrLf);
    }
    return block;
}

QStringList playerNames(QStringView text) {
    QStringList names;
    qsizetype open = text.indexOf(OpeningMarker);
    while (open >= 0) {
        const qsizetype nameStart = open + OpeningMarker.size();
        const qsizetype close = text.indexOf(ClosingMarker, nameStart);
        if (close < 0)
            break; // a header cut short names nobody
        names.append(text.sliced(nameStart, close - nameStart).toString());
        // The two characters after the closing marker are its line break.
        const qsizetype next = std::min(close + ClosingMarker.size() + 2, text.size());
        open = text.indexOf(OpeningMarker, next);
    }
    return names;
}

std::optional<Block> findBlock(QStringView text, QStringView name) {
    const QString header = headerOf(name);
    const qsizetype start = text.indexOf(header);
    if (start < 0)
        return std::nullopt;
    Block block;
    block.start = start;
    block.nameStart = start + OpeningMarker.size();
    block.nameLength = name.size();
    const qsizetype headerBreak = text.indexOf(CrLf, start + header.size());
    block.headerEnd = headerBreak < 0 ? text.size() : headerBreak;
    qsizetype pos = headerBreak < 0 ? text.size() : headerBreak + 2;
    block.end = pos;
    while (block.lineCount < RecordLineCount && pos < text.size()) {
        const qsizetype lineBreak = text.indexOf(CrLf, pos);
        const qsizetype lineEnd = lineBreak < 0 ? text.size() : lineBreak;
        const QStringView line = text.sliced(pos, lineEnd - pos);
        if (line.contains(OpeningMarker))
            break;
        block.lines[block.lineCount++] = line;
        pos = lineBreak < 0 ? text.size() : lineBreak + 2;
        block.end = pos;
    }
    return block;
}

QStringView valueList(const Block& block, int index) {
    const QStringView line = block.lines[index];
    return line.sliced(std::min(Keys[index].size(), line.size()));
}

bool Values::next(QStringView& value) {
    const qsizetype bar = m_rest.indexOf(u'|');
    if (bar < 0)
        return false;
    value = m_rest.first(bar);
    m_rest = m_rest.sliced(bar + 1);
    return true;
}

QList<GameRow> gameRows(QStringView text, QStringView name) {
    QList<GameRow> rows;
    const std::optional<Block> block = findBlock(text, name);
    if (!block)
        return rows;
    std::array<Values, RecordLineCount> lists = {Values(valueList(*block, 0)), Values(valueList(*block, 1)),
                                                 Values(valueList(*block, 2)), Values(valueList(*block, 3)),
                                                 Values(valueList(*block, 4))};
    for (;;) {
        GameRow row;
        while (row.columns < RecordLineCount && lists[row.columns].next(row.values[row.columns]))
            ++row.columns;
        if (row.columns == 0)
            break;
        rows.append(row);
        if (row.columns < RecordLineCount)
            break;
    }
    return rows;
}

qint32 bestPoints(QStringView text, QStringView name) {
    const std::optional<Block> block = findBlock(text, name);
    qint32 best = 0;
    if (!block)
        return best;
    Values points(valueList(*block, 3));
    QStringView value;
    while (points.next(value))
        best = std::max(best, textrules::toInt32(value));
    return best;
}

std::optional<QString> withGameRecorded(QStringView text, QStringView name,
                                        const std::array<QString, RecordLineCount>& values) {
    const std::optional<Block> block = findBlock(text, name);
    if (!block)
        return std::nullopt;
    std::array<QString, RecordLineCount> lines;
    for (int i = 0; i < RecordLineCount; ++i) {
        const QStringView old = i < block->lineCount ? block->lines[i] : Keys[i];
        lines[i].reserve(old.size() + values[i].size() + 1);
        lines[i].append(old);
        lines[i].append(values[i]);
        lines[i].append(u'|');
    }
    return withLines(text, *block, lines);
}

std::optional<QString> renamed(QStringView text, QStringView oldName, QStringView newName) {
    const std::optional<Block> block = findBlock(text, oldName);
    if (!block)
        return std::nullopt;
    QString result;
    result.reserve(text.size() - oldName.size() + newName.size());
    result.append(text.first(block->nameStart));
    result.append(newName);
    result.append(text.sliced(block->nameStart + block->nameLength));
    return result;
}

std::optional<QString> withoutPlayer(QStringView text, QStringView name) {
    const std::optional<Block> block = findBlock(text, name);
    if (!block)
        return std::nullopt;
    QString result;
    result.reserve(text.size() - (block->end - block->start));
    result.append(text.first(block->start));
    result.append(text.sliced(block->end));
    return result;
}

std::optional<QString> withoutGames(QStringView text, QStringView name, const QList<bool>& selected) {
    const std::optional<Block> block = findBlock(text, name);
    if (!block)
        return std::nullopt;
    std::array<QString, RecordLineCount> lines;
    for (int i = 0; i < RecordLineCount; ++i) {
        Values values(valueList(*block, i));
        QString& line = lines[i];
        line.reserve(Keys[i].size() + block->lines[i].size());
        line.append(Keys[i]);
        QStringView value;
        for (qsizetype row = 0; row < selected.size() && values.next(value); ++row) {
            if (!selected[row]) {
                line.append(value);
                line.append(u'|');
            }
        }
        line.append(values.rest());
    }
    return withLines(text, *block, lines);
}

std::optional<QString> withGamesCleared(QStringView text, QStringView name) {
    const std::optional<Block> block = findBlock(text, name);
    if (!block)
        return std::nullopt;
    std::array<QString, RecordLineCount> lines;
    for (int i = 0; i < RecordLineCount; ++i)
        lines[i] = Keys[i].toString();
    return withLines(text, *block, lines);
}

QString normalisedLineBreaks(const QString& text) {
    const QStringView view(text);
    const qsizetype size = view.size();
    const auto lone = [&](qsizetype i) {
        return view[i] == u'\r' ? i + 1 == size || view[i + 1] != u'\n' : i == 0 || view[i - 1] != u'\r';
    };
    // The file holds long lines and few breaks: look only at the breaks, with the library's fast search.
    qsizetype first = size;
    for (const char16_t breakChar : {u'\r', u'\n'}) {
        for (qsizetype i = view.indexOf(breakChar); i >= 0 && i < first; i = view.indexOf(breakChar, i + 1)) {
            if (lone(i)) {
                first = i;
                break;
            }
        }
    }
    if (first == size)
        return text;
    QString result;
    result.reserve(size + (size - first) / 8 + 2);
    result.append(view.first(first));
    for (qsizetype i = first; i < size; ++i) {
        if ((view[i] == u'\r' || view[i] == u'\n') && lone(i))
            result.append(CrLf);
        else
            result.append(view[i]);
    }
    return result;
}

} // namespace players
