// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Anki's packages (.apkg, .colpkg): a zip archive holding the collection, an SQLite database, as
// collection.anki2 or collection.anki21, or, from Anki 2.1.50 on, compressed with zstd as
// collection.anki21b (beside an old-style collection.anki2 that only asks to update Anki). Media files
// are no words and are passed over.
namespace anki {

// Whether the bytes start as a zip archive does.
bool isPackage(QByteArrayView bytes);

// The collection's database of a package, the newest layout it holds. Throws BadInput naming what is
// wrong with the archive or the compressed data.
QByteArray collection(const QByteArray& package);

struct NoteType {
    qint64 id = 0;
    QStringList fields; // the names, in order
};

struct Note {
    qint64 type = 0;
    QStringList fields; // HTML, in the order of the note type's fields
};

struct Collection {
    QList<NoteType> types;
    QList<Note> notes;
};

// Notes read and the number there are.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The note types and the notes of a collection database, old layout (note types as JSON in the col
// table) or new (the notetypes and fields tables). Throws BadInput when it is no such database.
Collection read(const QByteArray& database, const Progress& progress = {});

// The fields named for English and Russian; empty names leave the choice to the collection.
struct FieldNames {
    QString english;
    QString russian;
};

// Each note's English and Russian word, its fields made plain text. For each note type, the fields
// named so are taken, else those whose names say English and Russian, else the one that holds Cyrillic
// in most notes and the one that holds Latin letters without Cyrillic in most. A note type without
// either leaves its notes without that language.
QList<Pair> pairs(const Collection& collection, const FieldNames& named);

} // namespace anki
