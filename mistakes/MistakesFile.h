// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The decoded text of the mistakes file: one block per player, its header the player file's header,
// then one line per pair the player got wrong:
//   $/$/$/$/$Olga$\$\$\$\$
//   3|1|06.03.2007 19:05:33|кошка|cat
// misses, right answers in practice since the last miss, the date of the last miss, then the pair as
// the word list holds it (it may hold "|" itself, so it comes last). Every line ends with CR LF. Lines
// that do not read as a record are kept as they are and shown nowhere. The editing functions return the
// whole new text.
namespace mistakes {

inline constexpr QStringView FileName = u"Mistakes.ini";
// Right answers in practice that take a pair off the list.
inline constexpr int RightsToLeave = 2;

struct Mistake {
    QString pair;
    int misses = 0;
    int rights = 0;
    QString lastMiss;
};

// The player's mistakes in file order; none when the player has no block.
QList<Mistake> mistakesOf(QStringView text, QStringView player);
// Most missed first; equal counts keep their order.
QList<Mistake> mostMissedFirst(QList<Mistake> list);

// A miss counts once more and dates the pair, or adds it; the practice count starts again.
QString withMiss(QStringView text, QStringView player, QStringView pair, QStringView date);
// A right answer in practice; the last of RightsToLeave takes the pair off the list.
QString withRight(QStringView text, QStringView player, QStringView pair);
QString withoutPairs(QStringView text, QStringView player, const QStringList& pairs);
// The block goes to the new name; a stale block of that name is dropped.
QString renamed(QStringView text, QStringView oldName, QStringView newName);
QString withoutPlayer(QStringView text, QStringView player);

} // namespace mistakes
