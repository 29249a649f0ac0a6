// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// A game length or remaining time: a double counting days, so one second is 1/86400. Only the time of
// day is ever shown or used; a whole-day part is ignored.
namespace timevalue {

constexpr double OneSecond = 1.0 / 86400.0;

// The time of day, to the millisecond, of the absolute value.
QTime timeOfDay(double value);
// A date and time as a day count: days since 30.12.1899 and the time as the fraction.
double fromDateTime(const QDateTime& moment);
// H:mm:ss of the time of day (of the absolute value, for a negative one): "0:03:00".
QString toText(double value);
// Parses H:mm or H:mm:ss; throws Failure "'%s' is not a valid time" otherwise.
double fromText(const QString& text);
// The value of h:mm:ss.
double fromHms(int hours, int minutes, int seconds);

} // namespace timevalue
