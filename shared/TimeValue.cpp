// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/TimeValue.h"

#include "platform/Failure.h"

#include <QRegularExpression>
#include <cmath>

namespace timevalue {

namespace {
constexpr qint64 MsPerDay = 86'400'000;
}

QTime timeOfDay(double value) {
    // Whole milliseconds, as the values are kept: repeated subtraction of a second then never shows
    // a time a hair below the intended one.
    const qint64 ms = std::llround(std::fabs(std::fmod(value, 1.0)) * MsPerDay) % MsPerDay;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

double fromDateTime(const QDateTime& moment) {
    static const QDate dayZero(1899, 12, 30);
    return double(dayZero.daysTo(moment.date())) + double(moment.time().msecsSinceStartOfDay()) / MsPerDay;
}

QString toText(double value) {
    const QTime time = timeOfDay(value);
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour())
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

double fromText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto match = pattern.match(text);
    if (match.hasMatch()) {
        const int hours = match.captured(1).toInt();
        const int minutes = match.captured(2).toInt();
        const int seconds = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
        if (hours < 24 && minutes < 60 && seconds < 60)
            return fromHms(hours, minutes, seconds);
    }
    throw Failure(QStringLiteral("'%1' is not a valid time").arg(text));
}

double fromHms(int hours, int minutes, int seconds) {
    return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

} // namespace timevalue
