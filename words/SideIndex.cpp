// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/SideIndex.h"

#include "platform/TextCodec.h"
#include "words/WordList.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The code page's lower case of every byte, at hand: sorting a big list asks for it many million times.
const std::array<quint8, 256>& lowerBytes() {
    static const std::array<quint8, 256> table = [] {
        std::array<quint8, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = quint8(ansi::lowered(char(b)));
        return t;
    }();
    return table;
}

// Lexicographic order of the lower-cased bytes, unsigned; a text sorts before its longer continuations.
bool lessLowered(QByteArrayView a, QByteArrayView b, const std::array<quint8, 256>& lower = lowerBytes()) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const quint8 x = lower[quint8(a[i])];
        const quint8 y = lower[quint8(b[i])];
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool beginsLowered(QByteArrayView text, QByteArrayView loweredPrefix) {
    if (text.size() < loweredPrefix.size())
        return false;
    for (qsizetype i = 0; i < loweredPrefix.size(); ++i)
        if (char(lowerBytes()[quint8(text[i])]) != loweredPrefix[i])
            return false;
    return true;
}

// The first twelve lower-cased bytes, the first the highest, short keys filled with zeros, which sort
// first as a shorter key does: most keys are told apart by these numbers alone, so sorting seldom has
// to reach into the list.
struct Head {
    quint64 high = 0;
    quint32 low = 0;
};

Head headOf(QByteArrayView key, const std::array<quint8, 256>& lower) {
    const auto byte = [&](qsizetype i) -> quint8 { return i < key.size() ? lower[quint8(key[i])] : 0; };
    Head h;
    for (qsizetype i = 0; i < 8; ++i)
        h.high = (h.high << 8) | byte(i);
    for (qsizetype i = 8; i < 12; ++i)
        h.low = (h.low << 8) | byte(i);
    return h;
}

} // namespace

SideIndex::SideIndex(const WordList& list, Key key) : m_key(key) {
    struct Entry {
        quint64 high;
        quint32 low;
        quint32 line;
    };
    const std::array<quint8, 256>& lower = lowerBytes();
    std::vector<Entry> entries(size_t(list.count()));
    for (qsizetype i = 0; i < list.count(); ++i) {
        const Head h = headOf(keyOf(list, i), lower);
        entries[size_t(i)] = {h.high, h.low, quint32(i)};
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return lessLowered(keyOf(list, a.line), keyOf(list, b.line), lower);
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
