// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Why a side of a pair may be missing, so that the summary can say it.
enum class Gap {
    None,     // a side may simply be empty
    Language, // the file holds no word in that language for it
    Markup,   // the field held only markup, sound or picture references
};

// A word pair in Unicode, as an outside file holds it.
struct Pair {
    QString russian;
    QString english;
    Gap gap = Gap::None;
};

// Two texts in the order a file holds them, not yet known to be Russian or English.
struct TwoSides {
    QString first;
    QString second;
};

bool hasCyrillic(QStringView text);
bool hasLatin(QStringView text);

// "en" or "ru" when a name given to a language, a column or a field says English or Russian ("English",
// "Английский", "Russian word", "RU"); empty otherwise.
QString languageNamed(QStringView name);

// Files name their languages in many ways or not at all; what they hold tells: the side that has
// Cyrillic letters in more of the pairs is the Russian one, the second on a tie.
QList<Pair> oriented(const QList<TwoSides>& pairs);
