// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordPair.h"

#include <cstdint>
#include <cstring>

namespace wordpair {

namespace {

// Whether any of the four characters at p is a "|": looking four characters a step makes the lookups
// over a long list several times faster than a character at a time.
inline bool holdsBar(const char16_t* p) {
    std::uint64_t four;
    std::memcpy(&four, p, sizeof four);
    const std::uint64_t v = four ^ 0x007C007C007C007CULL;
    return ((v - 0x0001000100010001ULL) & ~v & 0x8000800080008000ULL) != 0;
}

// Everything up to the blank counts, control characters included, but not the no-break space: typed
// words are trimmed as text of the code page, not as Unicode.
bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

Sides sides(QStringView line) {
    // Lines are short: an inline loop finds the bar sooner than a library search gets going.
    const char16_t* data = line.utf16();
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i + 4 <= n && !holdsBar(data + i))
        i += 4;
    for (; i < n; ++i)
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
