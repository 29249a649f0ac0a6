// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// The same from a device open for reading; fileName only names it in the message.
QString ReadScrambledText(QIODevice& device, const QString& fileName);

enum class WriteMode { Replace, Append };
// Scrambles a text and writes it. Replace goes through a temporary file renamed over the target, so a
// failure leaves the old content whole; a read-only target fails as on Windows. Append adds at the end
// of the existing file. Throws Failure naming the file on any failure.
void WriteScrambledText(const QString& fileName, QStringView text, WriteMode mode);
