// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QByteArrayView>
#include <QStringView>

// The word pair of a dictd article from an English-Russian dictionary (FreeDict, Mueller): the headword
// as the article spells it, and the first translation of its first sense. An article gives no Russian
// side when its first sense holds no plain Russian translation (a reference "= other word", or an
// English example before any translation).
Pair firstTranslation(QStringView headword, QStringView article);
// The same from the article's bytes, read as inputtext::decode reads them; UTF-8 is decoded only as far as
// the first translation lies.
Pair firstTranslation(const QString& headword, QByteArrayView article);

// Whether a text spells the headword: indexes fold headwords to lower case without punctuation
// ("adams apple" for "Adam's apple"), so the letters and digits are compared, case aside.
bool spellsHeadword(QStringView text, QStringView headword);
