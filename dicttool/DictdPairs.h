// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Dictd.h"
#include "dicttool/ImportSource.h"

namespace dictd {

// The files of a database, for naming the one at fault.
struct FileNames {
    QString index;
    QString data;
};

// The pair of every article but the database's own header entries, in the index's order, from the data as
// its file holds it. Articles are read on both cores. Throws BadInput naming the file at fault: a fault of
// the data first, then the first entry in the index's order that points past the data.
QList<Pair> articlePairs(const QList<IndexEntry>& index, const QByteArray& data, const FileNames& files,
                         const importsource::Progress& progress);

} // namespace dictd
