// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

class ProgramFolder;
class WordList;

// The rules of the user dictionary editor: what a new pair must not be, how it is added, the editor's
// alphabetical list, its search and the rewrite after a delete.
namespace userdictionary {

inline constexpr QStringView MainFile = u"словарь/main.txt";
inline constexpr QStringView UserFile = u"словарь/User.txt";

enum class Refusal {
    None,
    Blank,     // the word or the translation is empty
    Separator, // a side holds "|", so the line would split wrongly when read back
    Duplicate, // the translation or the word is already a side of a loaded or a user line
};

// A text lower-cased as the duplicate test compares it: Latin and Cyrillic letters alike, one
// character for one.
QString lowered(QStringView text);
// The same written to `out`, which has room for it.
void lowered(QStringView text, char16_t* out);

// Whether the word or the translation holds "|", which check() refuses.
bool holdsSeparator(QStringView word, QStringView translation);

// Word and translation come trimmed. A duplicate is a whole side equal to the typed text without regard
// to case (Latin and Cyrillic): the English side for the translation, the Russian side for the word, in
// the loaded list first and the user list then; every line counts.
Refusal check(const WordList& wordList, const WordList& userWords, QStringView word, QStringView translation);

// Adds "word|translation" and CR LF at the end of the user dictionary as it is now, under the program
// folder's write lock, so that pairs another program added meanwhile stay. The file is made writable
// and replaced whole, so a failure (a full disk) leaves it as it was and a missing one still missing.
// Throws Failure naming the file.
void appendPair(const ProgramFolder& folder, QStringView word, QStringView translation);

// The lines in alphabetical order as Russian sorts them, without regard to case; lines that sort
// alike keep their order.
WordList sorted(const WordList& lines);

// The first line from `from` on that holds the text anywhere, with regard to case; -1 when none does.
qsizetype find(const WordList& lines, QStringView text, qsizetype from);

// Replaces the file with the lines but one, each ended by CR LF, through a temporary file, so that a
// failure leaves the old file whole. Throws Failure naming the file.
void writeWithout(const QString& fileName, const WordList& lines, qsizetype row);

// Deletes a line from the user dictionary as it is now, under the program folder's write lock: the file
// keeps every other line, in the editor's order, also those another program added meanwhile. False,
// and nothing written, when the file no longer holds the line. Throws Failure naming the file.
bool removeLine(const ProgramFolder& folder, QStringView line);

} // namespace userdictionary
