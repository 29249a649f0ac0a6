// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/AnkiPackage.h"
#include "dicttool/DelimitedReader.h"
#include "dicttool/Pair.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// One input of an import, in whichever outside format it comes, turned into word pairs.
namespace importsource {

enum class Format { Kvtml, Tsv, Csv, Dictd, Anki };
std::optional<Format> formatNamed(QStringView name);

struct Options {
    std::optional<Format> format; // none: found from the content
    QString from;                 // KVTML: the English and the Russian language
    QString to;
    delimited::Columns columns;     // TSV and CSV
    std::optional<QChar> separator; // TSV and CSV; none: as the file declares, or found
    anki::FieldNames fields;        // Anki packages
};

// Articles done and the number there are, while a large input is read.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The pairs of a file (its bytes already read; "-" names standard input). A dictd database is given by
// its index or its data file and the other one is found beside it. Throws BadInput naming the file and
// line at fault, Failure when a file cannot be read.
QList<Pair> read(const QString& fileName, const QByteArray& bytes, const Options& options,
                 const Progress& progress = {});

} // namespace importsource
