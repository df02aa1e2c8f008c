#include "core/ReportStamp.h"

#include "core/MeasurementLine.h"
#include "core/SettingsValues.h"

#include <QLocale>

QString ReportDateFormat() {
    QString date = QLocale().dateFormat(QLocale::ShortFormat);
    // Two-digit years would read back a century off.
    if (!date.contains(QStringLiteral("yyyy")))
        date.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return date;
}

QString ReportStampFormat() {
    return ReportDateFormat() + u' ' + LongTimeFormat(QLocale());
}

std::optional<QDateTime> ParseReportStamp(const QString& text, const QString& stampFormat) {
    const QString trimmed = text.trimmed();
    const QDateTime stamp = QLocale().toDateTime(trimmed, stampFormat);
    if (stamp.isValid())
        return stamp;
    return ParseProjectDate(trimmed);
}
