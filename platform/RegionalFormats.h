// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The Russian regional formats the program was made for, fixed.
namespace regional {

QString shortDate(const QDate& date); // dd.MM.yyyy
QString longTime(const QTime& time);  // H:mm:ss
// Short date, a blank and the long time; the time is left out at midnight exactly.
QString dateTimeText(const QDateTime& moment);

} // namespace regional
