#include "core/SettingsValues.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace {

// Qt's short dates of many locales have two-digit years, which would read back a century off.
QString WithFourDigitYear(QString format) {
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

QString WithSeconds(QString format) {
    if (!format.contains(u's')) {
        const qsizetype minutes = format.indexOf(QStringLiteral("mm"));
        if (minutes >= 0)
            format.insert(minutes + 2, QStringLiteral(":ss"));
    }
    return format;
}

// Qt reads "yy" as 1900-1999; the usual PC rule puts 00-29 into this century.
QDate WithCenturyWindow(const QDate& date, const QString& format) {
    if (date.isValid() && !format.contains(QStringLiteral("yyyy")) && date.year() < 1930)
        return date.addYears(100);
    return date;
}

} // namespace

QString RegionalNumberText(double value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

std::optional<double> RegionalNumber(const QString& text) {
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> RegionalBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = RegionalNumber(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

QString ProjectDateText(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return {};
    const QLocale locale;
    QString text = locale.toString(dateTime.date(),
                                   WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
    if (dateTime.time() != QTime(0, 0))
        text += u' ' + locale.toString(dateTime.time(), QLocale::ShortFormat);
    return text;
}

std::optional<QDateTime> ParseProjectDate(const QString& text) {
    const QLocale locale;
    const QString trimmed = text.trimmed();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    // The locale's own format first: "yyyy" would also take a two-digit year as year 24.
    QStringList dateFormats{shortDate};
    if (WithFourDigitYear(shortDate) != shortDate)
        dateFormats.append(WithFourDigitYear(shortDate));
    QStringList timeFormats{shortTime};
    if (WithSeconds(shortTime) != shortTime)
        timeFormats.append(WithSeconds(shortTime));

    for (const QString& dateFormat : dateFormats) {
        const QDate date = WithCenturyWindow(locale.toDate(trimmed, dateFormat), dateFormat);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
        for (const QString& timeFormat : timeFormats) {
            const QDateTime dateTime = locale.toDateTime(trimmed, dateFormat + u' ' + timeFormat);
            if (dateTime.isValid())
                return QDateTime(WithCenturyWindow(dateTime.date(), dateFormat), dateTime.time());
        }
    }
    return std::nullopt;
}
