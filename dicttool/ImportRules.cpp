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

#include <algorithm>
#include <optional>
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

void Importer::reserve(qsizetype sides) {
    m_russianSides.reserve(m_russianSides.size() + sides);
    m_englishSides.reserve(m_englishSides.size() + sides);
}

void Importer::avoid(const WordList& lines) {
    reserve(lines.count());
    for (qsizetype i = 0, n = lines.count(); i < n; ++i) {
        const QString line = lines.at(i);
        const wordpair::Sides sides = wordpair::sides(line);
        m_russianSides.emplace(userdictionary::lowered(sides.russian));
        m_englishSides.emplace(userdictionary::lowered(sides.english));
    }
}

Verdict Importer::add(const Pair& pair) {
    const QStringView russian = textrules::trimmed(pair.russian);
    const QStringView english = textrules::trimmed(pair.english);
    Verdict verdict = Verdict::Added;
    std::optional<Side> russianSide;
    std::optional<Side> englishSide;
    if (russian.isEmpty() || english.isEmpty()) {
        verdict = Verdict::Incomplete;
    } else if (!fitsDictionary(russian) || !fitsDictionary(english) ||
               userdictionary::holdsSeparator(russian, english)) {
        verdict = Verdict::NotRepresentable;
    } else {
        russianSide.emplace(userdictionary::lowered(russian));
        englishSide.emplace(userdictionary::lowered(english));
        if (m_russianSides.contains(*russianSide) || m_englishSides.contains(*englishSide))
            verdict = Verdict::Duplicate;
    }

    switch (verdict) {
    case Verdict::Added:
        ++m_counts.added;
        m_russianSides.insert(std::move(*russianSide));
        m_englishSides.insert(std::move(*englishSide));
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
