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
    const qsizetype end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_end;
    return QStringView(m_buffer).sliced(start, end - start - lineBreakLength);
}

void WordList::append(QStringView line) {
    // The next shared line, followed by its CR LF, is already in place.
    const char16_t* buffer = QStringView(m_buffer).utf16();
    const qsizetype lineEnd = m_end + line.size();
    if (line.utf16() == buffer + m_end && lineEnd + lineBreakLength <= m_buffer.size() &&
        buffer[lineEnd] == u'\r' && buffer[lineEnd + 1] == u'\n') {
        m_starts.append(m_end);
        m_end = lineEnd + lineBreakLength;
        return;
    }
    // A line of this very list would move while the buffer changes: copy it out first.
    if (!line.isEmpty() && isInside(line)) {
        append(line.toString());
        return;
    }
    m_buffer.truncate(m_end);
    m_buffer.resize(m_end + line.size() + lineBreakLength);
    char16_t* out = reinterpret_cast<char16_t*>(m_buffer.data()) + m_end;
    std::copy_n(line.utf16(), line.size(), out);
    out[line.size()] = u'\r';
    out[line.size() + 1] = u'\n';
    m_starts.append(m_end);
    m_end = m_buffer.size();
}

void WordList::clear() {
    // Give the memory back: a cleared list is usually loaded anew at a different size.
    m_buffer = QString();
    m_starts = QList<qsizetype>();
    m_end = 0;
}

QString WordList::text() const {
    return m_end == m_buffer.size() ? m_buffer : m_buffer.left(m_end);
}

void WordList::reserve(qsizetype characters) {
    m_buffer.reserve(m_end + characters);
}

void WordList::shareText(const QString& text) {
    if (m_starts.isEmpty())
        m_buffer = text;
}
