// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// Turns a dictd database (an index and a plain or dictzip data file) of an English-Russian dictionary
// into the game's dictionary text: lines "Russian|English", each ended by CR LF.
namespace dictconvert {

// One article of a dictd database: the headword of its index line and its text.
struct Article {
    QString headword;
    QString text;
};

// The articles that the index points at, in index order; the data as dictd::readData gives it. Throws
// BadInput on a malformed index line or an article outside the data.
QList<Article> readArticles(const QByteArray& index, const QByteArray& data);

// Typographic dashes, quotes and spaces made plain, white space collapsed to one space, trimmed.
QString plainText(QStringView text);
// The text without notes in (), [], {} or <>; an unbalanced bracket stays in place.
QString withoutNotes(QStringView text);

// The English side of an article: its headword line without the /pronunciation/ and notes.
QString englishSide(QStringView headLine);
// The Russian translations of an article's body, one per item: senses split at their numbers and at
// line breaks, alternatives at "," and ";", numbering, grammatical labels and notes removed.
QStringList russianSides(QStringView body);

// Why a candidate pair was written or not.
enum class Verdict {
    Written,
    Duplicate,
    Empty,
    OutsideCodePage, // a character that Windows-1251 cannot hold, or a control character
    Separator,       // a "|" inside one side
    Brackets,        // a note that could not be removed
    TooLong,
    TooShort,    // a one-letter side
    WrongScript, // no Cyrillic letter on the left, no Latin letter or a Cyrillic one on the right
};
constexpr int verdictCount = int(Verdict::WrongScript) + 1;
const char* verdictName(Verdict verdict);

// Longest side, in characters, that still fits an answer button.
constexpr int maxSideLength = 40;

// The pairs accepted so far, in the order they came, without duplicates.
class PairList {
public:
    Verdict add(const QString& russian, const QString& english);
    int count(Verdict verdict) const { return m_counts[int(verdict)]; }
    qsizetype size() const { return m_lines.size(); }
    // Every line followed by CR LF.
    QString text() const;

private:
    QStringList m_lines;
    QSet<QString> m_seen;
    std::array<int, verdictCount> m_counts{};
};

struct Conversion {
    PairList pairs;
    int articles = 0;     // word articles read
    int metaArticles = 0; // header entries skipped
};

// All pairs of the word articles.
Conversion convert(const QList<Article>& articles);

} // namespace dictconvert
