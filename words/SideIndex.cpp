// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/SideIndex.h"

#include "platform/TextCodec.h"
#include "words/WordList.h"

#include <algorithm>
#include <cstring>

namespace {

// Lexicographic order of the lower-cased bytes, unsigned; a text sorts before its longer continuations.
bool lessLowered(QByteArrayView a, QByteArrayView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto x = quint8(ansi::lowered(a[i]));
        const auto y = quint8(ansi::lowered(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool beginsLowered(QByteArrayView text, QByteArrayView loweredPrefix) {
    if (text.size() < loweredPrefix.size())
        return false;
    for (qsizetype i = 0; i < loweredPrefix.size(); ++i)
        if (ansi::lowered(text[i]) != loweredPrefix[i])
            return false;
    return true;
}

// The first eight lower-cased bytes, the first the highest: most keys are told apart by this number
// alone, so sorting seldom has to reach into the list.
quint64 head(QByteArrayView key) {
    quint64 h = 0;
    for (qsizetype i = 0; i < 8; ++i)
        h = (h << 8) | (i < key.size() ? quint8(ansi::lowered(key[i])) : 0u);
    return h;
}

} // namespace

SideIndex::SideIndex(const WordList& list, Key key) : m_key(key) {
    struct Entry {
        quint64 head;
        quint32 line;
    };
    std::vector<Entry> entries(size_t(list.count()));
    for (qsizetype i = 0; i < list.count(); ++i)
        entries[size_t(i)] = {head(keyOf(list, i)), quint32(i)};
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        return lessLowered(keyOf(list, a.line), keyOf(list, b.line));
    });
    m_lines.resize(entries.size());
    std::transform(entries.begin(), entries.end(), m_lines.begin(), [](const Entry& e) { return e.line; });
}

QByteArrayView SideIndex::keyOf(const WordList& list, qsizetype line) const {
    const QByteArrayView bytes = list.bytesAt(line);
    if (m_key == Key::Line)
        return bytes;
    const void* bar = std::memchr(bytes.data(), '|', size_t(bytes.size()));
    return bar ? bytes.sliced(static_cast<const char*>(bar) - bytes.data() + 1) : bytes;
}

std::span<const quint32> SideIndex::beginningWith(const WordList& list, QByteArrayView loweredText) const {
    const auto first = std::partition_point(m_lines.begin(), m_lines.end(), [&](quint32 line) {
        return lessLowered(keyOf(list, line), loweredText);
    });
    const auto last = std::partition_point(
        first, m_lines.end(), [&](quint32 line) { return beginsLowered(keyOf(list, line), loweredText); });
    return {first, last};
}

std::span<const quint32> SideIndex::equalTo(const WordList& list, QByteArrayView loweredText) const {
    const std::span<const quint32> beginning = beginningWith(list, loweredText);
    // The key that is the text itself sorts before those that go on.
    const auto last = std::partition_point(beginning.begin(), beginning.end(), [&](quint32 line) {
        return keyOf(list, line).size() == loweredText.size();
    });
    return {beginning.begin(), last};
}
