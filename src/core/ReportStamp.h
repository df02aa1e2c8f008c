#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The date and time of an instrument-stamped record as a report line and a .mes file carry it,
// in the default locale: its short date with a four-digit year, a blank and its long time.
QString ReportStampFormat();

// The date part of ReportStampFormat(); the time part is LongTimeFormat.
QString ReportDateFormat();

// Reads a text written with ReportStampFormat(); for files edited by hand also the locale's short
// date followed by a short time or by none.
std::optional<QDateTime> ParseReportStamp(const QString& text, const QString& stampFormat);
