#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Values in settings files follow the default QLocale (the PC's regional settings).

// Decimal separator of the locale, no group separators, at most 15 significant digits, no
// trailing zeros: 12.5 is "12,5" in German.
QString RegionalNumberText(double value);

// A finite number in the locale's format; nothing for anything else.
std::optional<double> RegionalNumber(const QString& text);

// Any non-zero number is true, 0 false; "True" and "False" in any letter case; nothing otherwise.
std::optional<bool> RegionalBoolean(const QString& text);

// The locale's short date with a four-digit year, then a blank and the locale's short time when
// the time is not midnight.
QString ProjectDateText(const QDateTime& dateTime);

// Reads what ProjectDateText writes, and also the locale's own short date with a two-digit year
// (00-29 meaning 2000-2029, 30-99 meaning 1930-1999), each with or without a time (with or
// without seconds).
std::optional<QDateTime> ParseProjectDate(const QString& text);
