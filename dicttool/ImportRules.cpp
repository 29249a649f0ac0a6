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

void SideSet::reserve(qsizetype sides) {
    size_t slotCount = 16;
    while (slotCount < size_t(m_count + sides) * 2)
        slotCount *= 2;
    if (slotCount > m_slots.size())
        grow(slotCount);
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

bool SideSet::contains(QStringView side, size_t hash) const {
    return !m_slots.empty() && m_slots[slotOf(side, hash)].length >= 0;
}

bool SideSet::insert(QStringView side, size_t hash) {
    if (size_t(m_count + 1) * 2 > m_slots.size())
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

Verdict Importer::add(const Pair& pair) {
    const QStringView russian = textrules::trimmed(pair.russian);
    const QStringView english = textrules::trimmed(pair.english);
    Verdict verdict = Verdict::Added;
    QString russianSide;
    QString englishSide;
    size_t russianHash = 0;
    size_t englishHash = 0;
    if (russian.isEmpty() || english.isEmpty()) {
        verdict = Verdict::Incomplete;
    } else if (!fitsDictionary(russian) || !fitsDictionary(english) ||
               userdictionary::holdsSeparator(russian, english)) {
        verdict = Verdict::NotRepresentable;
    } else {
        russianSide = userdictionary::lowered(russian);
        englishSide = userdictionary::lowered(english);
        russianHash = qHash(russianSide);
        englishHash = qHash(englishSide);
        if (m_russianSides.contains(russianSide, russianHash) ||
            m_englishSides.contains(englishSide, englishHash))
            verdict = Verdict::Duplicate;
    }

    switch (verdict) {
    case Verdict::Added:
        ++m_counts.added;
        m_russianSides.insert(russianSide, russianHash);
        m_englishSides.insert(englishSide, englishHash);
        m_text += russian;
        m_text += u'|';
        m_text += english;
        m_text += QLatin1StringView("\r\n");
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
