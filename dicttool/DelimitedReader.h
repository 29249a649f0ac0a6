// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QList>
#include <QStringList>
#include <QStringView>

#include <optional>

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

// What the header lines of Anki's "Notes in Plain Text" export declare.
struct Header {
    std::optional<QChar> separator; // "#separator:tab", "Comma", "Semicolon", "Space", "Pipe", "Colon"
    bool html = false;              // "#html:true": fields are HTML
    QStringList columnNames;        // "#columns:", split at the separator
    QList<int> noteColumns;         // "#guid column:1", notetype, deck and tags: no words, counted from 1
};
Header header(QStringView text);

// A delimiter as Anki's header or a user names it: "tab", "comma", "semicolon", "space", "pipe", "colon"
// or the character itself; none for anything else.
std::optional<QChar> separatorNamed(const QString& value);

// The delimiter of comma-separated text that does not declare one: ";" when it splits the first records
// into the same number of fields and "," does not (spreadsheets under a Russian locale write ";"), else ",".
QChar foundDelimiter(QStringView text);

// Which columns, counted from 1, hold the English and the Russian word; none named means the columns that
// a header names English and Russian, or else the first two that hold words, oriented by their letters.
struct Columns {
    int english = 0;
    int russian = 0;
};
// One pair a record; a cell the record lacks is empty and marked so. HTML fields become the word they
// show, and media references are dropped from every field.
QList<Pair> pairs(const QList<Record>& records, Columns columns, const Header& header = {});

} // namespace delimited
