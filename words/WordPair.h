// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The two sides of a "Russian|English" line and the trimming of typed words.
namespace wordpair {

// Split at the first "|"; a line without one is both sides.
struct Sides {
    QStringView russian;
    QStringView english;
};
Sides sides(QStringView line);

// Without the blanks and control characters at both ends, or at the start only.
QStringView trimmed(QStringView text);
QStringView trimmedLeft(QStringView text);

} // namespace wordpair
