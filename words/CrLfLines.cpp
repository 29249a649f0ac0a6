// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/CrLfLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Whether any of the four characters at p is a CR: the text is looked at four characters a step, as
// lines are short and a library search costs more to start than a line costs to scan.
inline bool holdsCarriageReturn(const char16_t* p) {
    std::uint64_t four;
    std::memcpy(&four, p, sizeof four);
    const std::uint64_t v = four ^ 0x000D000D000D000DULL;
    return ((v - 0x0001000100010001ULL) & ~v & 0x8000800080008000ULL) != 0;
}

} // namespace

bool CrLfLines::next() {
    const char16_t* data = m_text.utf16();
    const qsizetype size = m_text.size();
    m_lineStart = m_nextStart;
    qsizetype i = m_nextStart;
    while (i < size) {
        while (i + 4 <= size && !holdsCarriageReturn(data + i))
            i += 4;
        for (const qsizetype stop = std::min(i + 4, size); i < stop; ++i) {
            if (data[i] == u'\r' && i + 1 < size && data[i + 1] == u'\n') {
                m_line = m_text.sliced(m_lineStart, i - m_lineStart);
                m_nextStart = i + 2;
                return true;
            }
        }
    }
    m_line = {};
    return false;
}
