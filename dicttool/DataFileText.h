// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Any data file of the program (a dictionary, the player file, a saved game) as UTF-8 text to read and
// edit, and back. Every byte is one character of the code page, so encode(decode(f)) gives f byte for
// byte, whatever f holds.
namespace datafile {

// The whole file unscrambled, not only the part before a line break that the program reads.
QByteArray decode(QByteArrayView scrambled);

// A leading byte-order mark, which editors may add, is dropped. Throws BadInput with the line of bytes
// that are not UTF-8 or of a character the code page has not.
QByteArray encode(QByteArrayView utf8);

// The first thing in a text that the program would read otherwise than an editor shows it: a line
// break without its CR, or a control character whose scrambled form ends the program's read of the
// file. Line 0 when there is none.
struct Hazard {
    qsizetype line = 0;
    QString problem;
};
Hazard readingHazard(QByteArrayView utf8);

} // namespace datafile
