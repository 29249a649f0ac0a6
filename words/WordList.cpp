// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordList.h"

#include <algorithm>

namespace {
constexpr qsizetype lineBreakLength = 2;
}

bool WordList::isInside(QStringView line) const {
    const char16_t* begin = QStringView(m_buffer).utf16();
    return line.utf16() >= begin && line.utf16() < begin + m_buffer.size();
}

qsizetype WordList::count() const {
    return m_starts.size();
}

QStringView WordList::at(qsizetype index) const {
    Q_ASSERT(index >= 0 && index < m_starts.size());
    const qsizetype start = m_starts[index];
    const qsizetype end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_buffer.size();
    return QStringView(m_buffer).sliced(start, end - start - lineBreakLength);
}

void WordList::append(QStringView line) {
    // A line of this very list would move while the buffer grows: copy it out first.
    if (!line.isEmpty() && isInside(line)) {
        append(line.toString());
        return;
    }
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + line.size() + lineBreakLength);
    char16_t* out = reinterpret_cast<char16_t*>(m_buffer.data()) + start;
    std::copy_n(line.utf16(), line.size(), out);
    out[line.size()] = u'\r';
    out[line.size() + 1] = u'\n';
    m_starts.append(start);
}

void WordList::clear() {
    // Give the memory back: a cleared list is usually loaded anew at a different size.
    m_buffer = QString();
    m_starts = QList<qsizetype>();
}

QString WordList::text() const {
    return m_buffer;
}

void WordList::reserve(qsizetype characters) {
    m_buffer.reserve(m_buffer.size() + characters);
}
