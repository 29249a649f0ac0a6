// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/WordPair.h"

#include "shared/TextRules.h"

namespace wordpair {

Sides sides(QStringView line) {
    const qsizetype bar = textrules::indexOf(line, u'|');
    if (bar < 0)
        return {line, line};
    return {line.first(bar), line.sliced(bar + 1)};
}

} // namespace wordpair
