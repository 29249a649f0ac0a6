// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// A word pair in Unicode, as an outside file holds it.
struct Pair {
    QString russian;
    QString english;
};

// Two texts in the order a file holds them, not yet known to be Russian or English.
struct TwoSides {
    QString first;
    QString second;
};

bool hasCyrillic(QStringView text);

// Files name their languages in many ways or not at all; what they hold tells: the side that has
// Cyrillic letters in more of the pairs is the Russian one, the second on a tie.
QList<Pair> oriented(const QList<TwoSides>& pairs);
