// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegionalFormats.h"

namespace regional {

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString longTime(const QTime& time) {
    return time.toString(QStringLiteral("H:mm:ss"));
}

QString dateTimeText(const QDateTime& moment) {
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return shortDate(moment.date());
    return shortDate(moment.date()) + QLatin1Char(' ') + longTime(time);
}

} // namespace regional
