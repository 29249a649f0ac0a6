// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordList.h"

#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "words/SideIndex.h"

#include <algorithm>
#include <limits>

namespace {
constexpr qsizetype lineBreakLength = 2;
constexpr qsizetype largestText = std::numeric_limits<quint32>::max();
} // namespace

WordList::WordList() = default;
WordList::~WordList() = default;
WordList::WordList(const WordList& other) = default;
WordList& WordList::operator=(const WordList& other) = default;
WordList::WordList(WordList&& other) noexcept = default;
WordList& WordList::operator=(WordList&& other) noexcept = default;

qsizetype WordList::count() const {
    return m_starts.size();
}

QByteArrayView WordList::bytesAt(qsizetype index) const {
    Q_ASSERT(index >= 0 && index < m_starts.size());
    const qsizetype start = m_starts[index];
    const qsizetype end = index + 1 < m_starts.size() ? qsizetype(m_starts[index + 1]) : m_end;
    return QByteArrayView(m_buffer).sliced(start, end - start - lineBreakLength);
}

QString WordList::at(qsizetype index) const {
    return ansi::decode(bytesAt(index));
}

void WordList::append(QStringView line) {
    appendBytes(ansi::encode(line));
}

void WordList::appendBytes(QByteArrayView line) {
    changed();
    if (m_end > largestText)
        throw Failure(QStringLiteral("Word list too long: more than %1 bytes").arg(largestText));
    // The next shared line, followed by its CR LF, is already in place.
    const char* buffer = m_buffer.constData();
    const qsizetype lineEnd = m_end + line.size();
    if (line.data() == buffer + m_end && lineEnd + lineBreakLength <= m_buffer.size() &&
        buffer[lineEnd] == '\r' && buffer[lineEnd + 1] == '\n') {
        m_starts.append(quint32(m_end));
        m_end = lineEnd + lineBreakLength;
        return;
    }
    // A line of this very list would move while the buffer changes: copy it out first.
    if (!line.isEmpty() && line.data() >= buffer && line.data() < buffer + m_buffer.size()) {
        appendBytes(line.toByteArray());
        return;
    }
    m_buffer.truncate(m_end);
    m_buffer.resize(m_end + line.size() + lineBreakLength);
    char* out = m_buffer.data() + m_end;
    std::copy_n(line.data(), line.size(), out);
    out[line.size()] = '\r';
    out[line.size() + 1] = '\n';
    m_starts.append(quint32(m_end));
    m_end = m_buffer.size();
}

void WordList::clear() {
    changed();
    // Give the memory back: a cleared list is usually loaded anew at a different size.
    m_buffer = QByteArray();
    m_starts = QList<quint32>();
    m_end = 0;
}

void WordList::truncate(qsizetype count) {
    if (count >= m_starts.size())
        return;
    changed();
    m_end = m_starts[count];
    m_starts.resize(count);
}

QString WordList::text() const {
    return ansi::decode(bytes());
}

QByteArrayView WordList::bytes() const {
    return QByteArrayView(m_buffer).first(m_end);
}

void WordList::reserve(qsizetype bytes) {
    m_buffer.reserve(m_end + bytes);
}

void WordList::shareText(const QByteArray& text) {
    if (m_starts.isEmpty()) {
        m_buffer = text;
        m_end = 0;
    }
}

const SideIndex& WordList::englishIndex() const {
    if (!m_englishIndex)
        m_englishIndex = std::make_shared<const SideIndex>(*this, SideIndex::Key::English);
    return *m_englishIndex;
}

const SideIndex& WordList::lineIndex() const {
    if (!m_lineIndex)
        m_lineIndex = std::make_shared<const SideIndex>(*this, SideIndex::Key::Line);
    return *m_lineIndex;
}

void WordList::changed() {
    m_englishIndex.reset();
    m_lineIndex.reset();
}
