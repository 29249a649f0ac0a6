// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows-1251 code page, mapped so that every one of the 256 byte values becomes one character and
// back unchanged (0x98, which the code page leaves unassigned, becomes U+0098). All text below the
// windows consists of such characters, so one character is one byte of the files.
namespace ansi {

QString decode(QByteArrayView bytes);
// A character outside the code page becomes '?', as the Windows ANSI conversion does.
QByteArray encode(QStringView text);
// Whether every character lies in the code page, so that decode(encode(text)) gives the text back.
bool representable(QStringView text);
// Text typed by the user, passed through the code page once.
QString fromUser(QStringView typed);

// The byte of the character's lower case (Latin and Cyrillic letters alike); every lower case of the
// code page lies in it.
char lowered(char byte);
QByteArray lowered(QByteArrayView bytes);

} // namespace ansi
