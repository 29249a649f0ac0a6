// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordPair.h"

namespace wordpair {

namespace {

// Everything up to the blank counts, control characters included, but not the no-break space: typed
// words are trimmed as text of the code page, not as Unicode.
bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

Sides sides(QStringView line) {
    // Lines are short: a plain loop finds the bar sooner than a library search gets going.
    const char16_t* data = line.utf16();
    for (qsizetype i = 0, n = line.size(); i < n; ++i)
        if (data[i] == u'|')
            return {line.first(i), line.sliced(i + 1)};
    return {line, line};
}

QStringView trimmed(QStringView text) {
    text = trimmedLeft(text);
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.first(end);
}

QStringView trimmedLeft(QStringView text) {
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    return text.sliced(start);
}

} // namespace wordpair
