// SPDX-License-Identifier: GPL-3.0-or-later
// Time text: any text parses to a time of day or fails with the conversion message, and every time
// value is shown as a text that parses back to what is shown.
#include "FuzzCheck.h"
#include "platform/Failure.h"
#include "platform/TextCodec.h"
#include "shared/TimeValue.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

// H:mm or H:mm:ss in ASCII digits, blanks around; nullopt for anything else.
std::optional<double> expectedValue(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?\\s*$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int h = match.captured(1).toInt(), m = match.captured(2).toInt(), s = match.captured(3).toInt();
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return timevalue::fromHms(h, m, s);
}

void checkParse(const QString& text) {
    const std::optional<double> expected = expectedValue(text);
    double value = 0;
    try {
        value = timevalue::fromText(text);
    } catch (const Failure& failure) {
        FUZZ_CHECK(failure.message() == QStringLiteral("'%1' is not a valid time").arg(text));
        FUZZ_CHECK(!expected);
        return;
    }
    FUZZ_CHECK(expected && value == *expected);
    FUZZ_CHECK(value >= 0 && value < 1);
    // Whole seconds only, so the text shown gives the same value back.
    FUZZ_CHECK(timevalue::fromText(timevalue::toText(value)) == value);
}

void checkShown(double value) {
    static const QRegularExpression shape(QStringLiteral("^(1?[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
    const QString text = timevalue::toText(value);
    FUZZ_CHECK(shape.match(text).hasMatch());
    FUZZ_CHECK(timevalue::toText(timevalue::fromText(text)) == text);
    FUZZ_CHECK(timevalue::timeOfDay(value).isValid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    // As read from a file, and as typed text that may hold any character.
    checkParse(ansi::decode(bytes));
    checkParse(QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2)));

    // The first eight bytes as a stored game length, and the next few; the store refuses what is not
    // finite.
    for (std::size_t at = 0; at + 8 <= std::min<std::size_t>(size, 64); at += 8) {
        std::uint64_t raw;
        std::memcpy(&raw, data + at, sizeof raw);
        const double value = std::bit_cast<double>(raw);
        if (std::isfinite(value))
            checkShown(value);
    }
    return 0;
}
