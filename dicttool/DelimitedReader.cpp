// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/DelimitedReader.h"

#include "dicttool/BadInput.h"

#include <QRegularExpression>

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

QList<Pair> pairs(const QList<Record>& records, Columns columns) {
    const auto cell = [](const Record& record, int column) { return record.fields.value(column - 1); };
    if (columns.english > 0 && columns.russian > 0) {
        QList<Pair> result;
        result.reserve(records.size());
        for (const Record& record : records)
            result.append({cell(record, columns.russian), cell(record, columns.english)});
        return result;
    }
    QList<TwoSides> sides;
    sides.reserve(records.size());
    for (const Record& record : records)
        sides.append({cell(record, 1), cell(record, 2)});
    return oriented(sides);
}

} // namespace delimited
