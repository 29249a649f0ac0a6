// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/TextRules.h"

#include "platform/Failure.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace textrules {

namespace {

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

// Whether any of the four characters at p is the one whose copy in every lane is `lanes`.
inline bool holds(const char16_t* p, std::uint64_t lanes) {
    std::uint64_t four;
    std::memcpy(&four, p, sizeof four);
    const std::uint64_t v = four ^ lanes;
    return ((v - 0x0001000100010001ULL) & ~v & 0x8000800080008000ULL) != 0;
}

} // namespace

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

std::optional<qint32> readInt32(QStringView text) {
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+'))
        ++i;
    qint64 value = 0;
    bool valid = i < text.size();
    for (; valid && i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        valid = c >= u'0' && c <= u'9' && value <= qint64(std::numeric_limits<qint32>::max()) + 1;
        value = value * 10 + (c - u'0');
    }
    if (negative)
        value = -value;
    if (!valid || value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return qint32(value);
}

qint32 toInt32(QStringView text) {
    const std::optional<qint32> value = readInt32(text);
    if (!value)
        throw Failure(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *value;
}

qsizetype indexOf(QStringView text, char16_t c, qsizetype from) {
    // Four characters a step: a library search costs more to start than a short line costs to scan.
    const char16_t* data = text.utf16();
    const qsizetype n = text.size();
    const std::uint64_t lanes = 0x0001000100010001ULL * c;
    qsizetype i = std::max<qsizetype>(from, 0);
    while (i + 4 <= n && !holds(data + i, lanes))
        i += 4;
    for (; i < n; ++i)
        if (data[i] == c)
            return i;
    return -1;
}

} // namespace textrules
