// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QList>
#include <QStringList>
#include <QStringView>

// Tab- and comma-separated text as flash-card programs export it. Records end at CR LF, LF or a lone CR;
// a field that starts with a double quote runs to the matching quote and may hold delimiters, line
// breaks and doubled quotes (""), as RFC 4180 has it. Empty lines are no records. The "#name:value"
// lines that Anki writes at the top of its exports are passed over.
namespace delimited {

struct Record {
    qsizetype line = 0; // where the record starts, from 1
    QStringList fields;
};

// Throws BadInput on a quoted field that is never closed or is followed by anything but a delimiter
// or a line break.
QList<Record> read(QStringView text, QChar delimiter);

// Which columns, counted from 1, hold the English and the Russian word; none named means the first two,
// oriented by their letters.
struct Columns {
    int english = 0;
    int russian = 0;
};
// One pair a record; a cell the record lacks is empty.
QList<Pair> pairs(const QList<Record>& records, Columns columns);

} // namespace delimited
