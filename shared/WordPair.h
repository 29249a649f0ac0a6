// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The two sides of a "Russian|English" line.
namespace wordpair {

// Split at the first "|"; a line without one is both sides.
struct Sides {
    QStringView russian;
    QStringView english;
};
Sides sides(QStringView line);

} // namespace wordpair
