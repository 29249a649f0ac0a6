// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Translator.h"

#include "shared/WordPair.h"
#include "words/WordList.h"

#include <QStringBuilder>

namespace translator {

namespace {

constexpr QStringView Separator = u"  -  ";

// Most lines differ in their first character: looking at it first spares a call for each of them.
inline bool begins(QStringView text, QStringView word) {
    return word.isEmpty() || (!text.isEmpty() && text.front() == word.front() && text.startsWith(word));
}

} // namespace

QString language(QStringView text) {
    const char16_t first = text.isEmpty() ? u'\0' : text.front().unicode();
    const bool latin = (first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z');
    return latin ? QStringLiteral("EN") : QStringLiteral("RU");
}

QStringList results(const WordList& list, QStringView word, const QString& language) {
    QStringList found;
    const bool english = language == u"EN";
    for (qsizetype i = 0, n = list.count(); i < n && found.size() < MaxResults; ++i) {
        const QStringView line = list.at(i);
        if (english) {
            const wordpair::Sides sides = wordpair::sides(line);
            if (begins(sides.english, word))
                found.append(sides.english % Separator % sides.russian);
        } else if (begins(line, word)) {
            const wordpair::Sides sides = wordpair::sides(line);
            // A line without "|" has nothing to replace.
            found.append(sides.russian.size() == line.size()
                             ? line.toString()
                             : QString(sides.russian % Separator % sides.english));
        }
    }
    if (found.isEmpty())
        found.append(NotFound.toString());
    return found;
}

} // namespace translator
