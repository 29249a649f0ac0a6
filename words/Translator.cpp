// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/Translator.h"

#include "platform/TextCodec.h"
#include "shared/WordPair.h"
#include "words/SideIndex.h"
#include "words/WordList.h"

#include <QStringBuilder>

#include <algorithm>
#include <vector>

namespace translator {

namespace {

constexpr QStringView Separator = u"  -  ";

} // namespace

QString language(QStringView text) {
    const char16_t first = text.isEmpty() ? u'\0' : text.front().unicode();
    const bool latin = (first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z');
    return latin ? QStringLiteral("EN") : QStringLiteral("RU");
}

QStringList results(const WordList& list, QStringView word, const QString& language) {
    QStringList found;
    const QByteArray bytes = ansi::encode(word);
    // A character the code page has not is in no line.
    const bool representable = ansi::decode(bytes) == word;
    const bool english = language == u"EN";
    if (representable && list.count() > 0) {
        // The index finds the lines that begin with the word in any letter case; of those, the first
        // ten in list order that begin with it exactly are the results.
        const SideIndex& index = english ? list.englishIndex() : list.lineIndex();
        std::vector<quint32> first;
        for (const quint32 line : index.beginningWith(list, ansi::lowered(bytes))) {
            if (!index.keyOf(list, line).startsWith(bytes))
                continue;
            if (first.size() < size_t(MaxResults)) {
                first.push_back(line);
                std::push_heap(first.begin(), first.end());
            } else if (line < first.front()) {
                std::pop_heap(first.begin(), first.end());
                first.back() = line;
                std::push_heap(first.begin(), first.end());
            }
        }
        std::sort_heap(first.begin(), first.end());
        for (const quint32 line : first) {
            const QString text = list.at(line);
            const wordpair::Sides sides = wordpair::sides(text);
            if (english)
                found.append(sides.english % Separator % sides.russian);
            else // a line without "|" has nothing to replace
                found.append(sides.russian.size() == text.size()
                                 ? text
                                 : QString(sides.russian % Separator % sides.english));
        }
    }
    if (found.isEmpty())
        found.append(NotFound.toString());
    return found;
}

} // namespace translator
