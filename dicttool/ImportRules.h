// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

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

// Lower-cased sides, as the editor compares them, each kept once. A big import looks tens of thousands
// of sides up: they lie in one text and a table of their hashes, so that neither adding one nor the end
// of the program costs an allocation per side, and a look-up compares hashes, seldom texts.
class SideSet {
public:
    // Room for this many more sides, of this many characters in all.
    void reserve(qsizetype sides, qsizetype characters = 0);
    bool contains(QStringView side, size_t hash) const;
    // False when the side was there already.
    bool insert(QStringView side, size_t hash);
    // Asks the processor to fetch where a side of this hash would lie, for a look-up a little later.
    void prefetch(size_t hash) const;

private:
    struct Slot {
        size_t hash = 0;
        qsizetype start = 0;
        qsizetype length = -1; // -1: empty
    };
    // The slot holding the side, or the empty one where it would go.
    size_t slotOf(QStringView side, size_t hash) const;
    void grow(size_t slotCount);

    std::vector<Slot> m_slots; // a power of two of them, at most three quarters used
    qsizetype m_count = 0;
    std::u16string m_text;
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
    // As add() for each pair in turn; what of a pair depends on no other pair (trimming, the code page,
    // lower-casing) is done on a second thread ahead of the look-ups. Told how many are done.
    void addAll(const QList<Pair>& pairs, const std::function<void(qsizetype done)>& progress = {});

    const Counts& counts() const { return m_counts; }
    // The added lines, each "Russian|English" and CR LF, in the order they came.
    const QString& text() const { return m_text; }

private:
    // What of a pair depends on no other pair: its sides trimmed, whether it can be added at all
    // (Added: unless a side is taken), and its sides lower-cased, kept in a text, with their hashes.
    struct Candidate {
        QStringView russian;
        QStringView english;
        Verdict verdict = Verdict::Added;
        qsizetype russianStart = 0;
        qsizetype englishStart = 0;
        size_t russianHash = 0;
        size_t englishHash = 0;
    };
    static Candidate candidate(const Pair& pair, std::u16string& lowered);
    // The verdict, counted; the sides of a pair added are taken into the sets.
    Verdict take(const Pair& pair, const Candidate& candidate, std::u16string_view lowered);
    // The line "Russian|English" and CR LF of a pair added.
    void appendLine(const Candidate& added);

    SideSet m_russianSides;
    SideSet m_englishSides;
    Counts m_counts;
    QString m_text;
};

// Appends lines to a dictionary file as one safe replacement: the file's text, a CR LF when its last
// line has none (so that the first new line does not run into it), then the lines. The file is created
// when missing and made writable as the editor does before it adds a pair. Throws Failure naming the
// file.
void appendLines(const QString& fileName, QStringView lines);

} // namespace importrules
