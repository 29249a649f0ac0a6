// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/ImportRules.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "shared/ScrambledText.h"
#include "shared/TextRules.h"
#include "shared/WordPair.h"
#include "words/UserDictionary.h"
#include "words/WordList.h"

#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>

namespace importrules {

namespace {

// Whether a side survives the dictionary file unchanged: every character is one of the code page,
// and none is a control character, which would break the line or, scrambled, end the file early.
bool fitsDictionary(QStringView side) {
    const bool noControl = std::none_of(side.begin(), side.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
    });
    return noControl && ansi::representable(side);
}

} // namespace

void SideSet::reserve(qsizetype sides, qsizetype characters) {
    size_t slotCount = 16;
    while (slotCount * 3 < size_t(m_count + sides) * 4)
        slotCount *= 2;
    if (slotCount > m_slots.size())
        grow(slotCount);
    m_text.reserve(m_text.size() + size_t(characters));
}

size_t SideSet::slotOf(QStringView side, size_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.length < 0 ||
            (slot.hash == hash && QStringView(m_text.data() + slot.start, slot.length) == side))
            return i;
    }
}

void SideSet::prefetch(size_t hash) const {
    if (!m_slots.empty())
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
}

bool SideSet::contains(QStringView side, size_t hash) const {
    return !m_slots.empty() && m_slots[slotOf(side, hash)].length >= 0;
}

bool SideSet::insert(QStringView side, size_t hash) {
    if (size_t(m_count + 1) * 4 > m_slots.size() * 3)
        grow(std::max<size_t>(16, m_slots.size() * 2));
    Slot& slot = m_slots[slotOf(side, hash)];
    if (slot.length >= 0)
        return false;
    slot = {hash, qsizetype(m_text.size()), side.size()};
    m_text.append(side.utf16(), size_t(side.size()));
    ++m_count;
    return true;
}

void SideSet::grow(size_t slotCount) {
    std::vector<Slot> old(slotCount);
    m_slots.swap(old);
    const size_t mask = slotCount - 1;
    for (const Slot& slot : old) {
        if (slot.length < 0)
            continue;
        size_t i = slot.hash & mask;
        while (m_slots[i].length >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void Importer::reserve(qsizetype sides) {
    m_russianSides.reserve(sides);
    m_englishSides.reserve(sides);
}

void Importer::avoid(const WordList& lines) {
    reserve(lines.count());
    for (qsizetype i = 0, n = lines.count(); i < n; ++i) {
        const QString line = lines.at(i);
        const wordpair::Sides sides = wordpair::sides(line);
        const QString russian = userdictionary::lowered(sides.russian);
        const QString english = userdictionary::lowered(sides.english);
        m_russianSides.insert(russian, qHash(russian));
        m_englishSides.insert(english, qHash(english));
    }
}

Importer::Candidate Importer::candidate(const Pair& pair, std::u16string& lowered) {
    Candidate candidate{textrules::trimmed(pair.russian), textrules::trimmed(pair.english)};
    if (candidate.russian.isEmpty() || candidate.english.isEmpty()) {
        candidate.verdict = Verdict::Incomplete;
    } else if (!fitsDictionary(candidate.russian) || !fitsDictionary(candidate.english) ||
               userdictionary::holdsSeparator(candidate.russian, candidate.english)) {
        candidate.verdict = Verdict::NotRepresentable;
    } else {
        candidate.russianStart = qsizetype(lowered.size());
        candidate.englishStart = candidate.russianStart + candidate.russian.size();
        lowered.resize(size_t(candidate.englishStart + candidate.english.size()));
        userdictionary::lowered(candidate.russian, lowered.data() + candidate.russianStart);
        userdictionary::lowered(candidate.english, lowered.data() + candidate.englishStart);
        candidate.russianHash =
            qHash(QStringView(lowered.data() + candidate.russianStart, candidate.russian.size()));
        candidate.englishHash =
            qHash(QStringView(lowered.data() + candidate.englishStart, candidate.english.size()));
    }
    return candidate;
}

Verdict Importer::add(const Pair& pair) {
    std::u16string lowered;
    const Candidate found = candidate(pair, lowered);
    const Verdict verdict = take(pair, found, lowered);
    if (verdict == Verdict::Added)
        appendLine(found);
    return verdict;
}

void Importer::addAll(const QList<Pair>& pairs, const std::function<void(qsizetype done)>& progress) {
    // The lowered sides are as long as the trimmed ones: room for all of them from the start, so that
    // the text never moves while it is read.
    qsizetype russianLength = 0;
    qsizetype englishLength = 0;
    for (const Pair& pair : pairs) {
        russianLength += pair.russian.size();
        englishLength += pair.english.size();
    }
    const auto length = size_t(russianLength + englishLength);
    m_russianSides.reserve(0, russianLength);
    m_englishSides.reserve(0, englishLength);
    std::u16string lowered;
    lowered.reserve(length);
    // At most every pair is added, with its "|" and CR LF.
    m_text.reserve(m_text.size() + qsizetype(length) + 3 * pairs.size());
    const std::u16string_view text(lowered.data(), length);
    std::vector<Candidate> candidates(size_t(pairs.size()));
    constexpr qsizetype Batch = 256;
    // The other thread makes the candidates, published a batch at a time.
    std::atomic<qsizetype> ready{0};
    const std::jthread ahead([&] {
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            candidates[size_t(i)] = candidate(pairs[i], lowered);
            if ((i + 1) % Batch == 0 || i + 1 == pairs.size()) {
                ready.store(i + 1, std::memory_order_release);
                ready.notify_one();
            }
        }
    });
    // The look-ups and the lines wait on memory: what those of a few pairs ahead read (their slots,
    // their sides as the pairs hold them and lowered) is fetched meanwhile.
    constexpr qsizetype Ahead = 8;
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        for (qsizetype seen; (seen = ready.load(std::memory_order_acquire)) <= i;)
            ready.wait(seen, std::memory_order_acquire);
        if (i + Ahead < ready.load(std::memory_order_acquire)) {
            const Candidate& later = candidates[size_t(i + Ahead)];
            m_russianSides.prefetch(later.russianHash);
            m_englishSides.prefetch(later.englishHash);
            __builtin_prefetch(later.russian.data());
            __builtin_prefetch(later.english.data());
            __builtin_prefetch(text.data() + later.russianStart);
            __builtin_prefetch(text.data() + later.englishStart);
        }
        // Only the part written before `ready` was raised is read.
        if (take(pairs[i], candidates[size_t(i)], text) == Verdict::Added)
            appendLine(candidates[size_t(i)]);
        if (progress && i % 1024 == 0)
            progress(i);
    }
}

Verdict Importer::take(const Pair& pair, const Candidate& candidate, std::u16string_view lowered) {
    const QStringView russian = candidate.russian;
    const QStringView english = candidate.english;
    Verdict verdict = candidate.verdict;
    QStringView russianSide;
    QStringView englishSide;
    const size_t russianHash = candidate.russianHash;
    const size_t englishHash = candidate.englishHash;
    if (verdict == Verdict::Added) {
        russianSide = QStringView(lowered.data() + candidate.russianStart, russian.size());
        englishSide = QStringView(lowered.data() + candidate.englishStart, english.size());
        if (m_russianSides.contains(russianSide, russianHash) ||
            m_englishSides.contains(englishSide, englishHash))
            verdict = Verdict::Duplicate;
    }

    switch (verdict) {
    case Verdict::Added:
        ++m_counts.added;
        m_russianSides.insert(russianSide, russianHash);
        m_englishSides.insert(englishSide, englishHash);
        break;
    case Verdict::Incomplete:
        ++m_counts.incomplete;
        m_counts.languageMissing += pair.gap == Gap::Language;
        m_counts.emptyAfterMarkup += pair.gap == Gap::Markup;
        break;
    case Verdict::NotRepresentable:
        ++m_counts.notRepresentable;
        break;
    case Verdict::Duplicate:
        ++m_counts.duplicates;
        break;
    }
    return verdict;
}

void Importer::appendLine(const Candidate& added) {
    // Written in place: a big import has room for all its lines from the start.
    const qsizetype at = m_text.size();
    m_text.resize(at + added.russian.size() + added.english.size() + 3);
    QChar* out = std::copy(added.russian.begin(), added.russian.end(), m_text.data() + at);
    *out++ = u'|';
    out = std::copy(added.english.begin(), added.english.end(), out);
    *out++ = u'\r';
    *out = u'\n';
}

void appendLines(const QString& fileName, QStringView lines) {
    QString text;
    if (QFileInfo::exists(fileName)) {
        files::resetAttributes(fileName);
        text = ReadScrambledText(fileName);
        if (!text.isEmpty() && !text.endsWith(QLatin1StringView("\r\n")))
            text += QLatin1StringView("\r\n");
    }
    text += lines;
    WriteScrambledText(fileName, text, WriteMode::Replace);
}

} // namespace importrules
