// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// The small rules over text that the data files and the typed names share.
namespace textrules {

// Without the blanks and control characters at both ends, or at the start only. Everything up to the
// blank counts, but not the no-break space: text is trimmed as text of the code page, not as Unicode.
QStringView trimmed(QStringView text);
QStringView trimmedLeft(QStringView text);

// A decimal integer with an optional sign, within 32 bits, and nothing else: no blank on either side;
// none otherwise.
std::optional<qint32> readInt32(QStringView text);
// The same; throws Failure "'%s' is not a valid integer value" where there is none.
qint32 toInt32(QStringView text);

// The position of the first c at or after from, or -1. Made for short lines searched many times over.
qsizetype indexOf(QStringView text, char16_t c, qsizetype from = 0);

} // namespace textrules
