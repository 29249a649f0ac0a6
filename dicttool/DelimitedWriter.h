// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dicttool/Pair.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace delimited {

// One record with its line end: a field that holds the delimiter, a double quote or a line break is
// quoted as RFC 4180 has it. Records end with CR LF after a comma, as RFC 4180 asks, and with LF after a
// tab.
QString record(const QStringList& fields, QChar delimiter);

// UTF-8 records "English, delimiter, Russian", the order flash-card programs expect (the word to learn
// on the front).
QByteArray write(const QList<Pair>& pairs, QChar delimiter);

} // namespace delimited
