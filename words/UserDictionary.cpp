// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/UserDictionary.h"

#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "platform/TextCodec.h"
#include "platform/WriteLock.h"
#include "shared/CrLfLines.h"
#include "shared/ScrambledText.h"
#include "shared/WordPair.h"
#include "words/SideIndex.h"
#include "words/WordList.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringBuilder>

#include <algorithm>
#include <numeric>
#include <vector>

namespace userdictionary {

namespace {

char16_t lower(char16_t c) {
    // ASCII and the plain Cyrillic capitals, most of any dictionary, need no look-up in the Unicode tables.
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if (c >= u'А' && c <= u'я')
        return c <= u'Я' ? char16_t(c + 0x20) : c;
    return char16_t(QChar::toLower(char32_t(c)));
}

// The lines are found through the list's indexes, made once for many tests.
bool holdsSide(const WordList& lines, QByteArrayView loweredWord, QByteArrayView loweredTranslation) {
    if (lines.count() == 0)
        return false;
    if (!lines.englishIndex().equalTo(lines, loweredTranslation).empty())
        return true;
    // The Russian side is the line up to its first "|", or the whole line where there is none.
    const SideIndex& index = lines.lineIndex();
    return !index.equalTo(lines, loweredWord).empty() ||
           !index.beginningWith(lines, QByteArray(loweredWord.toByteArray() + '|')).empty();
}

} // namespace

QString lowered(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    lowered(text, reinterpret_cast<char16_t*>(result.data()));
    return result;
}

void lowered(QStringView text, char16_t* out) {
    std::transform(text.utf16(), text.utf16() + text.size(), out, lower);
}

bool holdsSeparator(QStringView word, QStringView translation) {
    return word.contains(u'|') || translation.contains(u'|');
}

Refusal check(const WordList& wordList, const WordList& userWords, QStringView word,
              QStringView translation) {
    if (word.isEmpty() || translation.isEmpty())
        return Refusal::Blank;
    if (holdsSeparator(word, translation))
        return Refusal::Separator;
    // Every line is text of the code page: a word with a character outside it equals no side.
    const QByteArray wordBytes = ansi::encode(word);
    const QByteArray translationBytes = ansi::encode(translation);
    if (ansi::decode(wordBytes) != word || ansi::decode(translationBytes) != translation)
        return Refusal::None;
    const QByteArray w = ansi::lowered(wordBytes);
    const QByteArray t = ansi::lowered(translationBytes);
    if (holdsSide(wordList, w, t) || holdsSide(userWords, w, t))
        return Refusal::Duplicate;
    return Refusal::None;
}

void appendPair(const ProgramFolder& folder, QStringView word, QStringView translation) {
    const QString fileName = folder.file(UserFile);
    WriteLock lock(folder.root());
    lock.lockFor(fileName);
    // The bytes as they are, whatever they hold, with the scrambled line after them.
    QByteArray bytes;
    if (QFileInfo::exists(fileName)) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw Failure(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    }
    bytes += ansi::encode(Coding(QString(word % u'|' % translation % QLatin1String("\r\n"))));
    files::resetAttributes(fileName);
    files::replaceFile(fileName, bytes);
}

WordList sorted(const WordList& lines) {
    QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Keys once per line: comparing keys is far cheaper than collating two strings.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(lines.count()));
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        keys.push_back(collator.sortKey(lines.at(i)));
        bytes += lines.bytesAt(i).size() + 2;
    }
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });

    WordList result;
    result.reserve(bytes);
    for (const qsizetype index : order)
        result.appendBytes(lines.bytesAt(index));
    return result;
}

qsizetype find(const WordList& lines, QStringView text, qsizetype from) {
    const QByteArray bytes = ansi::encode(text);
    if (ansi::decode(bytes) != text)
        return -1;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < lines.count(); ++i)
        if (lines.bytesAt(i).contains(bytes))
            return i;
    return -1;
}

void writeWithout(const QString& fileName, const WordList& lines, qsizetype row) {
    QString text;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        if (i == row)
            continue;
        text += lines.at(i);
        text += u"\r\n";
    }
    WriteScrambledText(fileName, text, WriteMode::Replace);
}

bool removeLine(const ProgramFolder& folder, QStringView line) {
    const QString fileName = folder.file(UserFile);
    WriteLock lock(folder.root());
    lock.lockFor(fileName);
    if (!QFileInfo::exists(fileName))
        return false;
    const QString text = ReadScrambledText(fileName);
    WordList lines;
    CrLfLines walk(text);
    while (walk.next())
        lines.append(walk.line());
    const WordList inOrder = sorted(lines);
    for (qsizetype i = 0; i < inOrder.count(); ++i) {
        if (inOrder.at(i) == line) {
            writeWithout(fileName, inOrder, i);
            return true;
        }
    }
    return false;
}

} // namespace userdictionary
