// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class WordList;

// The mini translator's lookup: the pairs whose side begins with a typed word.
namespace translator {

inline constexpr qsizetype MaxResults = 10;
inline constexpr QStringView NotFound = u"Перевод слова не найден";

// "EN" when the text begins with a Latin letter, otherwise "RU". The text is not empty.
QString language(QStringView text);

// Up to ten lines, in list order, of the pairs whose English side ("EN") or whole line ("RU") begins
// with the word, with regard to case: "English  -  Russian" or "Russian  -  English". The single line
// NotFound when no pair matches.
QStringList results(const WordList& list, QStringView word, const QString& language);

} // namespace translator
