// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QList>
#include <QString>

// The vocabulary files of KDE's trainers (KWordQuiz, Parley), KVTML version 2: a list of languages
// ("identifiers") and entries that hold one translation per language.
namespace kvtml {

struct Identifier {
    QString id;
    QString name;
    QString locale;
};

struct Translation {
    QString id; // the identifier it is in
    QString text;
};

struct Entry {
    QList<Translation> translations; // in file order
};

struct Document {
    QList<Identifier> identifiers;
    QList<Entry> entries;
};

// Throws BadInput with the line of a fault in the XML, and on a file that is not KVTML 2.
Document read(const QString& text);

// The English and the Russian word of every entry; a side the entry lacks is empty. `from` and `to`
// name the English and the Russian identifier by id, locale or name (letter case ignored); naming only
// one takes the first other identifier for the other. Named neither way, identifiers whose locales are
// English and Russian are taken, or else the first two translations of each entry, oriented by their
// letters. Throws BadInput when a name matches no identifier.
QList<Pair> pairs(const Document& document, const QString& from, const QString& to);

} // namespace kvtml
