// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QHashFunctions>
#include <QString>

#include <unordered_set>
#include <utility>

class WordList;

// Which pairs an import adds to a dictionary: those the dictionary editor would take if they were
// typed in one after another, and that the dictionary can hold.
namespace importrules {

enum class Verdict {
    Added,
    Incomplete,       // a side is empty once trimmed (and the pair's gap says why)
    NotRepresentable, // a character Windows-1251 has not, a control character or line break, or "|"
    Duplicate,        // the word or the translation is a side of a loaded or an added line
};

struct Counts {
    qsizetype added = 0;
    qsizetype duplicates = 0;
    qsizetype notRepresentable = 0;
    qsizetype incomplete = 0;
    // The incomplete ones by reason; the rest had a side that was simply empty.
    qsizetype languageMissing = 0;
    qsizetype emptyAfterMarkup = 0;
};

class Importer {
public:
    // Room for this many more sides of each language, so that a big import grows its sets once.
    void reserve(qsizetype sides);
    // The lines of a dictionary whose sides the new pairs must not repeat.
    void avoid(const WordList& lines);

    // Both sides trimmed as the editor trims typed words; a pair the editor would refuse is counted
    // and left out, and a pair added is refused when it comes again.
    Verdict add(const Pair& pair);

    const Counts& counts() const { return m_counts; }
    // The added lines, each "Russian|English" and CR LF, in the order they came.
    const QString& text() const { return m_text; }

private:
    // A lower-cased side, as the editor compares them, with its hash: a big import looks tens of
    // thousands of sides up, and a look-up then compares hashes, seldom texts.
    struct Side {
        explicit Side(QString lowered) : hash(qHash(lowered)), text(std::move(lowered)) {}
        bool operator==(const Side&) const = default;
        size_t hash;
        QString text;
    };
    struct SideHash {
        size_t operator()(const Side& side) const noexcept { return side.hash; }
    };
    std::unordered_set<Side, SideHash> m_russianSides;
    std::unordered_set<Side, SideHash> m_englishSides;
    Counts m_counts;
    QString m_text;
};

// Appends lines to a dictionary file as one safe replacement: the file's text, a CR LF when its last
// line has none (so that the first new line does not run into it), then the lines. The file is created
// when missing and made writable as the editor does before it adds a pair. Throws Failure naming the
// file.
void appendLines(const QString& fileName, QStringView lines);

} // namespace importrules
