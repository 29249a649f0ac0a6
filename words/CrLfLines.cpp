// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/CrLfLines.h"

bool CrLfLines::next() {
    // A plain loop: dictionary lines are short, and a library search costs more to start than this
    // costs to finish.
    const char16_t* data = m_text.utf16();
    const qsizetype size = m_text.size();
    m_lineStart = m_nextStart;
    for (qsizetype i = m_nextStart; i + 1 < size; ++i) {
        if (data[i] == u'\r' && data[i + 1] == u'\n') {
            m_line = m_text.sliced(m_lineStart, i - m_lineStart);
            m_nextStart = i + 2;
            return true;
        }
    }
    m_line = {};
    return false;
}
