// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <string>

// Text files brought in from other programs come in UTF-8 (with or without a byte-order mark), UTF-16
// with its mark, or, from older Windows programs, in Windows-1251. Bytes that form valid UTF-8 are taken as
// UTF-8, anything else as Windows-1251: Cyrillic in Windows-1251 is almost never valid UTF-8.
namespace inputtext {

// The text in Unicode, without a leading byte-order mark.
QString decode(QByteArrayView bytes);

// The same written into `room`, which serves the next call too: for the many small texts of one file.
QStringView decode(QByteArrayView bytes, std::u16string& room);

} // namespace inputtext
