// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

// Every data file of the program is one text scrambled byte by byte with a constant key, with no header
// and no line break after it.

// Every byte XOR 0x19; applying it twice gives the text back. A character outside the code page is
// scrambled as the one '?' that writing it to a file makes of it.
QString Coding(QStringView text);

// The unscrambled first line of a file: the bytes before the first LF or CR LF or 0x1A (a lone CR is
// skipped), or the whole file. Throws Failure naming the file when it cannot be read.
QString ReadScrambledText(const QString& fileName);
// The same in the file's own bytes of the code page.
QByteArray ReadScrambledBytes(const QString& fileName);
// The same from a device open for reading; fileName only names it in the message.
QString ReadScrambledText(QIODevice& device, const QString& fileName);
QByteArray ReadScrambledBytes(QIODevice& device, const QString& fileName);

// Reading the first line piece by piece: a CR at the end of one piece is carried over to the next.
struct FirstLineState {
    bool pendingCarriageReturn = false;
    bool ended = false;
};
// Unscrambles a piece of the file where it lies, leaving out the line break bytes the first line skips,
// and returns how many bytes of it the text keeps; sets ended when the first line ends in it.
qsizetype unscramblePiece(char* piece, qsizetype size, FirstLineState& state);

enum class WriteMode { Replace, Append };
// Scrambles a text and writes it. Replace goes through a temporary file renamed over the target, so a
// failure leaves the old content whole; a read-only target fails as on Windows. Append adds at the end
// of the existing file. Throws Failure naming the file on any failure.
void WriteScrambledText(const QString& fileName, QStringView text, WriteMode mode);
