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

namespace importrules {

namespace {

// Whether a side survives the dictionary file unchanged: every character is one of the code page,
// and none is a control character, which would break the line or, scrambled, end the file early.
bool fitsDictionary(QStringView side) {
    const bool noControl = std::none_of(side.begin(), side.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
    });
    return noControl && ansi::decode(ansi::encode(side)) == side;
}

} // namespace

void Importer::avoid(const WordList& lines) {
    for (qsizetype i = 0, n = lines.count(); i < n; ++i) {
        const QString line = lines.at(i);
        const wordpair::Sides sides = wordpair::sides(line);
        remember(sides.russian, sides.english);
    }
}

void Importer::remember(QStringView russian, QStringView english) {
    m_russianSides.insert(userdictionary::lowered(russian));
    m_englishSides.insert(userdictionary::lowered(english));
}

Verdict Importer::add(const Pair& pair) {
    const QStringView russian = textrules::trimmed(pair.russian);
    const QStringView english = textrules::trimmed(pair.english);
    Verdict verdict = Verdict::Added;
    if (russian.isEmpty() || english.isEmpty())
        verdict = Verdict::Incomplete;
    else if (!fitsDictionary(russian) || !fitsDictionary(english) ||
             userdictionary::check(WordList(), WordList(), russian, english) ==
                 userdictionary::Refusal::Separator)
        verdict = Verdict::NotRepresentable;
    else if (m_russianSides.contains(userdictionary::lowered(russian)) ||
             m_englishSides.contains(userdictionary::lowered(english)))
        verdict = Verdict::Duplicate;

    switch (verdict) {
    case Verdict::Added:
        ++m_counts.added;
        remember(russian, english);
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
