// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/UserDictionary.h"

#include "platform/Files.h"
#include "shared/ScrambledText.h"
#include "shared/WordPair.h"
#include "words/WordList.h"

#include <QCollator>
#include <QLocale>
#include <QStringBuilder>

#include <algorithm>
#include <numeric>
#include <vector>

namespace userdictionary {

namespace {

char16_t lower(char16_t c) {
    return char16_t(QChar::toLower(char32_t(c)));
}

// Every character of the code page lowers to one character, so a side that differs in length never
// matches and is passed over without lowering a letter.
bool equalsLowered(QStringView side, QStringView loweredText) {
    if (side.size() != loweredText.size())
        return false;
    const char16_t* a = side.utf16();
    const char16_t* b = loweredText.utf16();
    for (qsizetype i = 0, n = side.size(); i < n; ++i)
        if (lower(a[i]) != b[i])
            return false;
    return true;
}

bool holdsSide(const WordList& lines, QStringView loweredWord, QStringView loweredTranslation) {
    for (qsizetype i = 0, n = lines.count(); i < n; ++i) {
        const wordpair::Sides sides = wordpair::sides(lines.at(i));
        if (equalsLowered(sides.english, loweredTranslation) || equalsLowered(sides.russian, loweredWord))
            return true;
    }
    return false;
}

} // namespace

QString lowered(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(),
                   [](QChar c) { return QChar(lower(c.unicode())); });
    return result;
}

Refusal check(const WordList& wordList, const WordList& userWords, QStringView word,
              QStringView translation) {
    if (word.isEmpty() || translation.isEmpty())
        return Refusal::Blank;
    if (word.contains(u'|') || translation.contains(u'|'))
        return Refusal::Separator;
    const QString w = lowered(word);
    const QString t = lowered(translation);
    if (holdsSide(wordList, w, t) || holdsSide(userWords, w, t))
        return Refusal::Duplicate;
    return Refusal::None;
}

void appendPair(const QString& fileName, QStringView word, QStringView translation) {
    files::createIfMissing(fileName);
    files::resetAttributes(fileName);
    WriteScrambledText(fileName, QString(word % u'|' % translation % QLatin1String("\r\n")),
                       WriteMode::Append);
}

WordList sorted(const WordList& lines) {
    QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Keys once per line: comparing keys is far cheaper than collating two strings.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(lines.count()));
    qsizetype characters = 0;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        keys.push_back(collator.sortKey(lines.at(i).toString()));
        characters += lines.at(i).size() + 2;
    }
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });

    WordList result;
    result.reserve(characters);
    for (const qsizetype index : order)
        result.append(lines.at(index));
    return result;
}

qsizetype find(const WordList& lines, QStringView text, qsizetype from) {
    for (qsizetype i = std::max<qsizetype>(from, 0); i < lines.count(); ++i)
        if (lines.at(i).contains(text))
            return i;
    return -1;
}

void writeWithout(const QString& fileName, const WordList& lines, qsizetype row) {
    QString text;
    text.reserve(lines.text().size());
    for (qsizetype i = 0; i < lines.count(); ++i) {
        if (i == row)
            continue;
        text += lines.at(i);
        text += u"\r\n";
    }
    WriteScrambledText(fileName, text, WriteMode::Replace);
}

} // namespace userdictionary
