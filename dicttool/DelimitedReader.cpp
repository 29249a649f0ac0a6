// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DelimitedReader.h"

#include "dicttool/BadInput.h"
#include "dicttool/PlainText.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace delimited {

namespace {

class Scanner {
public:
    Scanner(QStringView text, QChar delimiter) : m_text(text), m_delimiter(delimiter) {}

    QList<Record> records() {
        skipHeaderLines();
        QList<Record> result;
        while (!atEnd()) {
            if (atLineBreak()) {
                skipLineBreak();
                continue;
            }
            result.append(record());
        }
        return result;
    }

private:
    bool atEnd() const { return m_pos == m_text.size(); }
    bool atLineBreak() const { return !atEnd() && (m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r'); }

    // CR LF, LF or a lone CR, counted as one line.
    void skipLineBreak() {
        if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    void skipHeaderLines() {
        static const QRegularExpression header(QStringLiteral("^#[A-Za-z][A-Za-z ]*:"));
        while (!atEnd() && m_text[m_pos] == u'#') {
            qsizetype end = m_pos;
            while (end < m_text.size() && m_text[end] != u'\n' && m_text[end] != u'\r')
                ++end;
            if (!header.match(m_text.sliced(m_pos, end - m_pos)).hasMatch())
                return;
            m_pos = end;
            if (!atEnd())
                skipLineBreak();
        }
    }

    Record record() {
        Record result{m_line, {}};
        for (;;) {
            result.fields.append(!atEnd() && m_text[m_pos] == u'"' ? quotedField() : plainField());
            if (atEnd() || atLineBreak())
                break;
            ++m_pos; // the delimiter
        }
        if (!atEnd())
            skipLineBreak();
        return result;
    }

    QString plainField() {
        const qsizetype start = m_pos;
        while (!atEnd() && !atLineBreak() && m_text[m_pos] != m_delimiter)
            ++m_pos;
        return m_text.sliced(start, m_pos - start).toString();
    }

    QString quotedField() {
        const qsizetype openingLine = m_line;
        QString field;
        ++m_pos;
        for (;;) {
            if (atEnd())
                throw BadInput(openingLine, QStringLiteral("a quoted field is never closed"));
            if (m_text[m_pos] == u'"') {
                ++m_pos;
                if (atEnd() || m_text[m_pos] != u'"')
                    break;
                field += u'"';
                ++m_pos;
            } else if (atLineBreak()) {
                const qsizetype start = m_pos;
                skipLineBreak();
                field += m_text.sliced(start, m_pos - start);
            } else {
                field += m_text[m_pos++];
            }
        }
        if (!atEnd() && !atLineBreak() && m_text[m_pos] != m_delimiter)
            throw BadInput(m_line, QStringLiteral("text after the closing quote of a field"));
        return field;
    }

    QStringView m_text;
    QChar m_delimiter;
    qsizetype m_pos = 0;
    qsizetype m_line = 1;
};

} // namespace

QList<Record> read(QStringView text, QChar delimiter) {
    return Scanner(text, delimiter).records();
}

namespace {

// The "#name:value" lines at the top of the text, in order.
QList<std::pair<QString, QString>> headerLines(QStringView text) {
    static const QRegularExpression line(QStringLiteral("^#([A-Za-z][A-Za-z ]*):(.*)$"));
    QList<std::pair<QString, QString>> lines;
    for (qsizetype start = 0; start < text.size() && text[start] == u'#';) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QRegularExpressionMatch match = line.match(text.sliced(start, end - start));
        if (!match.hasMatch())
            break;
        lines.append({match.captured(1).trimmed().toLower(), match.captured(2)});
        start = end;
        while (start < text.size() && (text[start] == u'\n' || text[start] == u'\r'))
            ++start;
    }
    return lines;
}

// The number of fields of each of the first records, or none when the text cannot be read so.
std::optional<QList<qsizetype>> fieldCounts(QStringView text, QChar delimiter) {
    constexpr qsizetype sample = 20;
    QList<qsizetype> counts;
    try {
        // Only the first lines are split: the sample must not cost as much as the reading.
        qsizetype end = 0;
        for (qsizetype lines = 0; end < text.size() && lines < sample * 4; ++end)
            lines += text[end] == u'\n';
        const QList<Record> records = read(text.first(end), delimiter);
        for (qsizetype i = 0; i < std::min<qsizetype>(sample, records.size()); ++i)
            counts.append(records[i].fields.size());
    } catch (const BadInput&) {
        return std::nullopt;
    }
    return counts;
}

bool splitsEvenly(const std::optional<QList<qsizetype>>& counts) {
    return counts && !counts->isEmpty() && counts->front() > 1 &&
           std::all_of(counts->begin(), counts->end(), [&](qsizetype n) { return n == counts->front(); });
}

} // namespace

std::optional<QChar> separatorNamed(const QString& value) {
    static const QHash<QString, QChar> named = {
        {QStringLiteral("tab"), u'\t'},  {QStringLiteral("comma"), u','}, {QStringLiteral("semicolon"), u';'},
        {QStringLiteral("space"), u' '}, {QStringLiteral("pipe"), u'|'},  {QStringLiteral("colon"), u':'}};
    if (const auto found = named.find(value.trimmed().toLower()); found != named.end())
        return *found;
    if (value.size() == 1)
        return value[0];
    return std::nullopt;
}

Header header(QStringView text) {
    Header result;
    for (const auto& [name, value] : headerLines(text)) {
        if (name == u"separator") {
            result.separator = separatorNamed(value);
        } else if (name == u"html") {
            result.html = value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
        } else if (name == u"columns") {
            result.columnNames = value.split(result.separator.value_or(u'\t'));
        } else if (name.endsWith(u" column")) {
            bool ok = false;
            const int column = value.trimmed().toInt(&ok);
            if (ok && column > 0)
                result.noteColumns.append(column);
        }
    }
    return result;
}

QChar foundDelimiter(QStringView text) {
    if (!splitsEvenly(fieldCounts(text, u',')) && splitsEvenly(fieldCounts(text, u';')))
        return u';';
    return u',';
}

QList<Pair> pairs(const QList<Record>& records, Columns columns, const Header& header) {
    // Columns that a header names after the languages hold them.
    if (columns.english <= 0 || columns.russian <= 0) {
        for (qsizetype i = 0; i < header.columnNames.size(); ++i) {
            const QString language = languageNamed(header.columnNames[i]);
            if (language == u"en" && columns.english <= 0)
                columns.english = int(i + 1);
            if (language == u"ru" && columns.russian <= 0)
                columns.russian = int(i + 1);
        }
    }
    const auto cell = [&](const Record& record, int column) -> std::optional<QString> {
        if (column < 1 || column > record.fields.size())
            return std::nullopt;
        const QString& field = record.fields[column - 1];
        return header.html ? plaintext::wordOfHtml(field) : plaintext::withoutMedia(field);
    };
    const auto gapOf = [&](const Record& record, const std::optional<QString>& first, int firstColumn,
                           const std::optional<QString>& second, int secondColumn) {
        if (!first || !second)
            return Gap::Language;
        const auto onlyMarkup = [&](const QString& word, int column) {
            return word.trimmed().isEmpty() && !record.fields[column - 1].trimmed().isEmpty();
        };
        return onlyMarkup(*first, firstColumn) || onlyMarkup(*second, secondColumn) ? Gap::Markup : Gap::None;
    };

    if (columns.english > 0 && columns.russian > 0) {
        QList<Pair> result;
        result.reserve(records.size());
        for (const Record& record : records) {
            const std::optional<QString> russian = cell(record, columns.russian);
            const std::optional<QString> english = cell(record, columns.english);
            result.append({russian.value_or(QString()), english.value_or(QString()),
                           gapOf(record, russian, columns.russian, english, columns.english)});
        }
        return result;
    }
    // The first two columns that hold words, past the note's own (its id, type, deck and tags).
    QList<int> wordColumns;
    for (int column = 1; wordColumns.size() < 2; ++column)
        if (!header.noteColumns.contains(column))
            wordColumns.append(column);
    QList<TwoSides> sides;
    QList<Gap> gaps;
    sides.reserve(records.size());
    gaps.reserve(records.size());
    for (const Record& record : records) {
        const std::optional<QString> first = cell(record, wordColumns[0]);
        const std::optional<QString> second = cell(record, wordColumns[1]);
        sides.append({first.value_or(QString()), second.value_or(QString())});
        gaps.append(gapOf(record, first, wordColumns[0], second, wordColumns[1]));
    }
    QList<Pair> result = oriented(sides);
    for (qsizetype i = 0; i < result.size(); ++i)
        result[i].gap = gaps[i];
    return result;
}

} // namespace delimited
