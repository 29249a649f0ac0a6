// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/CrLfLines.h"

#include "shared/TextRules.h"

bool CrLfLines::next() {
    m_lineStart = m_nextStart;
    for (qsizetype cr = textrules::indexOf(m_text, u'\r', m_nextStart); cr >= 0;
         cr = textrules::indexOf(m_text, u'\r', cr + 1)) {
        if (cr + 1 < m_text.size() && m_text[cr + 1] == u'\n') {
            m_line = m_text.sliced(m_lineStart, cr - m_lineStart);
            m_nextStart = cr + 2;
            return true;
        }
    }
    m_line = {};
    return false;
}
